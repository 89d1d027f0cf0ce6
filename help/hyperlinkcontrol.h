// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label that opens its own text as an address in the user's web browser.
// The address opens as soon as the left mouse button goes down on it; the
// release does not matter.
class HyperlinkControl : public QLabel
{
    Q_OBJECT

public:
    explicit HyperlinkControl(QWidget *parent = nullptr);

    // Asks the desktop to open the label's text as an address.
    void VisitLink();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
