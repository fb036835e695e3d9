// The controls of the main window that the exercise owns and alone writes.
#pragma once

#include "label.h"
#include "picture_button.h"
#include "rich_text_box.h"

#include <array>

namespace hearvex::exercise {

struct ExerciseControls {
    // 0 the exercise box (the masked sentence), 1 the typing box
    std::array<controls::RichTextBox*, 2> RichTextBox1{};
    controls::PictureButton* keywordSwitch = nullptr;  // pressed (border 1): keyword hint on
    controls::PictureButton* fullTextSwitch = nullptr; // pressed: the sentence shown in full
    controls::Label* lbScore = nullptr; // the aligned compare's score, empty until one is made
};

} // namespace hearvex::exercise
