// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/hyperlinkcontrol.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

HyperlinkControl::HyperlinkControl(QWidget *parent)
    : QLabel(parent)
{
    // The text is the address itself, never mark-up.
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void HyperlinkControl::VisitLink()
{
    QDesktopServices::openUrl(QUrl(text().trimmed(), QUrl::StrictMode));
}

void HyperlinkControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    VisitLink();
}
