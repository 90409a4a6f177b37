#include "menu_shortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <array>
#include <utility>

namespace {

// Keys whose virtual-key code differs from Qt's key code; letters and digits share theirs.
constexpr std::array<std::pair<int, int>, 22> kVirtualKeys = {{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},     {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},     {Qt::Key_Escape, 0x1B},  {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},    {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},    {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},    {Qt::Key_F1, 0x70},      {Qt::Key_F2, 0x71},
    {Qt::Key_F3, 0x72},        {Qt::Key_F4, 0x73},      {Qt::Key_F5, 0x74},
    {Qt::Key_F12, 0x7B},
}};

int VirtualKeyOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return 0x70 + (qtKey - Qt::Key_F1);
    for (const auto& [qt, vk] : kVirtualKeys) {
        if (qt == qtKey)
            return vk;
    }
    return 0;
}

int QtKeyOf(int virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return virtualKey;
    if (virtualKey >= 0x70 && virtualKey <= 0x7B)
        return Qt::Key_F1 + (virtualKey - 0x70);
    for (const auto& [qt, vk] : kVirtualKeys) {
        if (vk == virtualKey)
            return qt;
    }
    return 0;
}

int StoredValueOf(const QObject* part) { return part->property("shortcutValue").toInt(); }

// Headings and items in menu order, depth first: a heading, the items under it, the next heading.
template <typename Visit>
bool VisitInMenuOrder(const QList<QAction*>& actions, Visit visit)
{
    for (QAction* action : actions) {
        QMenu* menu = action->menu();
        if (visit(action, menu))
            return true;
        if (menu && VisitInMenuOrder(menu->actions(), visit))
            return true;
    }
    return false;
}

}  // namespace

int StoredShortcutOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const int vk = VirtualKeyOf(qtKey);
    if (vk == 0)
        return 0;
    int value = vk;
    if (modifiers & Qt::ShiftModifier)
        value |= kShortcutShift;
    if (modifiers & Qt::ControlModifier)
        value |= kShortcutCtrl;
    if (modifiers & Qt::AltModifier)
        value |= kShortcutAlt;
    return value;
}

QKeySequence KeySequenceOf(int stored)
{
    const int key = QtKeyOf(stored & 0xFF);
    if (stored == 0 || key == 0)
        return {};
    Qt::KeyboardModifiers modifiers;
    if (stored & kShortcutShift)
        modifiers |= Qt::ShiftModifier;
    if (stored & kShortcutCtrl)
        modifiers |= Qt::ControlModifier;
    if (stored & kShortcutAlt)
        modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

MenuShortcuts::MenuShortcuts(QWidget* window, QMenuBar* bar) : QObject(window), window_(window), bar_(bar) {}

QAction* MenuShortcuts::Match(int stored) const
{
    QAction* found = nullptr;
    if (stored == 0)
        return found;
    VisitInMenuOrder(bar_->actions(), [&](QAction* action, QMenu* menu) {
        const QObject* part = menu ? static_cast<QObject*>(menu) : action;
        if (StoredValueOf(part) != stored)
            return false;
        found = action;
        return true;
    });
    return found;
}

void MenuShortcuts::ShowShortcuts() const
{
    VisitInMenuOrder(bar_->actions(), [](QAction* action, QMenu* menu) {
        if (!menu && !action->isSeparator()) {
            // Shown beside the item; the context keeps Qt's shortcut map from acting on it, since
            // a menu never holds the focus while it is closed and an open one passes keys to us.
            action->setShortcut(KeySequenceOf(StoredValueOf(action)));
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        return false;
    });
}

bool MenuShortcuts::IsInWindow(QObject* watched) const
{
    // The window and its children, and the popup menus of its menu bar; not its dialogs.
    for (auto* w = qobject_cast<QWidget*>(watched); w; w = w->parentWidget()) {
        if (w == window_)
            return true;
        if (w->isWindow() && w->windowType() != Qt::Popup)
            return false;
    }
    return false;
}

bool MenuShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    QAction* action = Match(StoredShortcutOf(key->key(), key->modifiers()));
    if (!action || !IsInWindow(watched))
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Claims the key for the key press that follows, ahead of Qt's shortcut map.
        event->accept();
        return true;
    }
    if (!action->menu() && action->isEnabled()) {
        // An open menu closes first, as it would had its item been clicked.
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        action->trigger();
    }
    return true;
}
