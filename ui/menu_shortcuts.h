// Menu shortcuts matched the way the window's menu definition means them.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <Qt>

class QAction;
class QMenuBar;
class QWidget;

// Flags added to a key code in a stored shortcut value.
inline constexpr int kShortcutShift = 0x2000;
inline constexpr int kShortcutCtrl = 0x4000;
inline constexpr int kShortcutAlt = 0x8000;

// The stored shortcut value (modifier flags plus the key's virtual-key code) of a key press, or
// 0 for a key that has no virtual-key code here.
int StoredShortcutOf(int qtKey, Qt::KeyboardModifiers modifiers);

// The key sequence a stored shortcut value stands for; empty for 0 or an unknown key.
QKeySequence KeySequenceOf(int stored);

// Routes key presses in a window to its menu: the key's stored value is matched against the
// `shortcutValue` property of every heading and item, in menu order, depth first, and the first
// match takes the key before any widget sees it. A heading takes its key and runs nothing.
//
// Qt's own shortcuts cannot say this: a menu heading holds no shortcut, and a focused text view
// takes Ctrl+C before the menu does.
class MenuShortcuts : public QObject {
    Q_OBJECT
public:
    // Routes the keys of window (and of its menus) to the headings and items of bar.
    MenuShortcuts(QWidget* window, QMenuBar* bar);

    // The heading or item that takes a stored value, or nullptr; a heading is its menuAction().
    QAction* Match(int stored) const;

    // Shows each item's stored shortcut beside it in the menu, without Qt acting on it.
    void ShowShortcuts() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsInWindow(QObject* watched) const;

    QWidget* window_;
    QMenuBar* bar_;
};
