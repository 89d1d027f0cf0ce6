// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

#include <span>

class QAbstractButton;
class winNormalCalculator;

// The calculator window's controls as one table: every control's name, kind,
// caption, place, size, anchoring, help tag, spoken name and the operation its
// click runs. The window builds itself from this table and moves its controls
// from it when it is resized.
class WindowLayout
{
public:
    enum class Kind
    {
        BevelButton, // a key: a push button that never takes the focus
        ModeButton, // a two-state picture button that switches panMode
        HelpButton, // a momentary picture button in the mode-button style
        PagePanel, // shows one of `range` pages
        GroupBox,
        StaticText,
        PopupMenu,
        ComboBox,
        EditField, // multi-line and read-only
        ListBox,
        RadioButton,
        Canvas, // the drawn display
        ProgressBar, // `range` is its maximum
    };

    // How a control follows the window's right and bottom edges.
    enum class Anchor
    {
        None, // keeps its designed left and top
        LeftColumn, // anchored left and top: keeps its place as well
        Stretching, // anchored to all four edges: grows both ways
        Display, // anchored left, top and right: grows horizontally
        Keypad, // anchored top and right: moves right with the right edge
    };

    // The panel and page a control belongs to.
    enum class Panel
    {
        Window,
        Display, // panDisplay
        Mode, // panMode
    };

    enum Flag
    {
        Hidden = 1, // created hidden; nothing shows it
        Disabled = 2,
        Bold = 4,
        LargeText = 8, // caption at 14 pixels instead of 12
    };

    // Runs one engine operation of the window; button is the clicked control.
    using Action = void (*)(winNormalCalculator &window, QAbstractButton &button);

    struct Control
    {
        const char *name;
        Kind kind;
        // Caption; the picture name for mode buttons; rows separated by "\n"
        // for a popup or combo box whose rows never change.
        const char *caption;
        Panel panel;
        int page;
        QRect geometry; // in the content area of a window of the designed size
        Anchor anchor;
        const char *helpTag; // shown as the tool tip; empty for none
        const char *spokenName; // what a screen reader says for the control
        Action action; // the click handler, or nullptr
        int flags = 0;
        int range = 0;
    };

    // The designed size of the content area, which is also its minimum.
    static constexpr QSize DesignedSize { 360, 370 };
    static constexpr QSize MaximumSize { 816, 32000 };

    static std::span<const Control> Controls();

    // Where control belongs in a content area of size contentSize.
    static QRect AnchoredGeometry(const Control &control, QSize contentSize);
};
