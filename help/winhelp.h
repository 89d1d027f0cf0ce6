// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/sharedwindow.h"

class QLabel;
class QListWidget;
class QTextEdit;

// The help window: the list of topics on the left and, on the right, the
// whole user guide as one read-only styled text. The guide is kept as text
// in the help mark-up (see HelpMarkupRenderer) and styled when the window is
// built. Clicking a topic scrolls its heading to the top of the text.
class winHelp : public SharedWindow
{
    Q_OBJECT

public:
    // The open help window, or a new one when none is open.
    static winHelp *SharedInstance();
    // Shows the help window, bringing it to the front if it is already
    // open: the Help menu's "Show Zorvane help" and each calculator's help
    // button.
    static winHelp *ShowSharedInstance();

    // Scrolls the guide so that the heading of the topic in the given row
    // of the list is its top line. Returns false.
    bool lstHelpContents_CellClick(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class SharedWindow; // builds the one instance
    winHelp();

    void txtHelpText_Open();
    void scrollLineToTop(qsizetype position);
    void keepRoomToScrollLastLineToTop();

    QLabel *lblTopics;
    QListWidget *lstHelpContents;
    QTextEdit *txtHelpText;
};
