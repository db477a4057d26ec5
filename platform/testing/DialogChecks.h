#pragma once
// Checks of the message boxes a program showed through ScriptedDialogs.

#include "platform/Dialogs.h"

#include <gtest/gtest.h>
#include <optional>

namespace platform::testing {

// The message box `m` has this text, title and icon and, when given, these
// buttons; on failure, says what it had instead.
inline ::testing::AssertionResult isMessage(const DialogEvent& m, const QString& text, const QString& title, Icon icon,
                                            std::optional<Buttons> buttons = std::nullopt)
{
    if (m.kind == DialogEvent::Kind::Message && m.text == text && m.title == title && m.icon == icon &&
        (!buttons || m.buttons == *buttons))
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult r = ::testing::AssertionFailure();
    r << "message \"" << m.text.toStdString() << "\", title \"" << m.title.toStdString() << "\", icon " << int(m.icon)
      << ", buttons " << int(m.buttons) << "; expected \"" << text.toStdString() << "\", title \""
      << title.toStdString() << "\", icon " << int(icon);
    if (buttons)
        r << ", buttons " << int(*buttons);
    return r;
}

} // namespace platform::testing
