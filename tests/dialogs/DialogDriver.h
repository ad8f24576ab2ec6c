#pragma once

// Drives the parameter dialogs the way a user would: keys into edits and
// combo boxes, clicks on buttons, and a modal run answered from inside its
// own event loop.
#include "dialogs/CParamDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

// Makes the dialog the active window, as the user's click on it would, so
// that focus changes send their focus events (a focused push button is the one
// Enter presses).
inline void Activate(QWidget* window)
{
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// Replaces an edit's text by typing into it: focus, select all, then the keys
// (or Backspace for an empty text).
inline void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

// Chooses a list entry with the keyboard, as a user would without the mouse.
inline void ChooseEntry(QComboBox* combo, int index)
{
    combo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

// Runs DoModal while whileOpen acts on the open dialog from inside the modal
// loop. A dialog that whileOpen leaves open fails the test and is cancelled
// rather than hanging it.
inline int RunModal(CParamDialog& dlg, const std::function<void()>& whileOpen)
{
    bool ran = false;
    QTimer::singleShot(0, &dlg, [&] {
        ran = true;
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &dlg);
        Activate(&dlg);
        whileOpen();
        if (dlg.isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            dlg.done(QDialog::Rejected);
        }
    });
    const int result = dlg.DoModal();
    EXPECT_TRUE(ran);
    return result;
}

// The widgets that take the focus with Tab, in the order Tab visits them,
// starting at the first.
inline QList<QWidget*> TabChain(QWidget* first)
{
    QList<QWidget*> chain;
    QWidget* w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled())
            chain << w;
        w = w->nextInFocusChain();
    } while (w != first);
    return chain;
}
