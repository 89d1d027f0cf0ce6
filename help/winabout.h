// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/sharedwindow.h"

class HyperlinkControl;
class QLabel;

// The about window: the product's name and version, one line about it and
// a link to its web site.
class winAbout : public SharedWindow
{
    Q_OBJECT

public:
    // The open about window, or a new one when none is open.
    static winAbout *SharedInstance();
    // Shows the about window, bringing it to the front if it is already
    // open: the "About Zorvane..." menu command.
    static winAbout *ShowSharedInstance();

protected:
    void changeEvent(QEvent *event) override;

private:
    friend class SharedWindow; // builds the one instance
    winAbout();

    void applyTextColours();
    void layOutLabels();

    QLabel *lblAboutText;
    QLabel *StaticText1;
    HyperlinkControl *lblWeblink;
};
