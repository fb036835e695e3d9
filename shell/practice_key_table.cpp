#include "practice_key_table.h"

#include <array>

namespace hearvex {

namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

const std::array<PracticeKey, 20> kKeys = {{
    {Qt::Key_Escape, kNone, PracticeAction::PauseResume, "Esc",
     "暂停/继续（继续时回退2秒）；播完后从头播放", false},
    {Qt::Key_F3, kNone, PracticeAction::Back, "F3", "后退3秒", true},
    {Qt::Key_F4, kNone, PracticeAction::Forward, "F4", "前进3秒", true},
    {Qt::Key_F5, kNone, PracticeAction::Replay, "F5", "从头播放本课录音", false},
    {Qt::Key_F6, kNone, PracticeAction::Slower, "F6", "放慢0.1倍（最慢0.5倍）", true},
    {Qt::Key_F7, kNone, PracticeAction::Faster, "F7", "加快0.1倍（最快1.5倍）", true},
    {Qt::Key_F8, kNone, PracticeAction::FullText, "F8", "全英文提示 开/关", false},
    {Qt::Key_Return, kCtrl, PracticeAction::Check, "Ctrl+Enter", "错误记录（检查听写）", false},
    {Qt::Key_Enter, kCtrl, PracticeAction::Check, "Ctrl+小键盘Enter", "错误记录（检查听写）",
     false},
    {Qt::Key_F9, kNone, PracticeAction::Compare, "F9",
     "逐词对齐比较，显示得分和错词；再按一次显示整句并标出漏掉和写错的词及错误类型", false},
    {Qt::Key_F10, kNone, PracticeAction::Record, "F10", "打开/关闭练习记录", false},
    {Qt::Key_F12, kNone, PracticeAction::NextDue, "F12", "开始下一句到期要复习的句子", false},
    {Qt::Key_PageDown, kCtrl, PracticeAction::NextLesson, "Ctrl+PageDown",
     "开始课文库里的下一篇课文", false},
    {Qt::Key_PageUp, kCtrl, PracticeAction::PreviousLesson, "Ctrl+PageUp",
     "开始课文库里的上一篇课文", false},
    {Qt::Key_L, kCtrl, PracticeAction::FocusLibrary, "Ctrl+L",
     "转到课文列表：方向键选课，Enter开始（光标回到输入框），Esc返回输入框", false},
    {Qt::Key_F1, kNone, PracticeAction::Help, "F1", "打开使用说明", false},
    {Qt::Key_F2, kNone, PracticeAction::LookUp, "F2",
     "查词：光标处的词的读音、原形和词形、常用度和中文释义", false},
    {Qt::Key_F11, kNone, PracticeAction::PlayWord, "F11",
     "单独听光标处的词（没写的地方：下一个漏掉的词），用当前速度；课文要有词的时间", false},
    {Qt::Key_F11, kShift, PracticeAction::PlayAround, "Shift+F11", "听光标处的词和它前后的词",
     false},
    {Qt::Key_R, kCtrl, PracticeAction::Shadow, "Ctrl+R", "跟读：录下你读这一句，和原声逐词比较",
     false},
}};

} // namespace

std::span<const PracticeKey> practiceKeys() {
    return kKeys;
}

const PracticeKey* practiceKeyFor(int key, Qt::KeyboardModifiers modifiers) {
    // The keypad's Enter carries the keypad flag; an input method may add its group switch.
    const Qt::KeyboardModifiers pressed =
        modifiers & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    for (const PracticeKey& entry : kKeys)
        if (entry.key == key && entry.modifiers == pressed)
            return &entry;
    return nullptr;
}

const PracticeKey* practiceKeyOf(PracticeAction action) {
    for (const PracticeKey& entry : kKeys)
        if (entry.action == action)
            return &entry;
    return nullptr;
}

} // namespace hearvex
