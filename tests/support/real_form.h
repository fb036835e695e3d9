// The main window on the real engine, the way the lesson library uses it:
// loaded, shown, and given a recording to open and play.
#pragma once

#include "form1.h"

#include <QString>
#include <vector>

namespace hearvex::testing {

// Open-error messages go to messages instead of a message box.
inline void loadAndOpen(Form1& form, const QString& path, std::vector<QString>& messages) {
    form.player().setMessageHandler([&messages](const QString& m) { messages.push_back(m); });
    form.load();
    form.show();
    form.player().openTrack(path);
}

} // namespace hearvex::testing
