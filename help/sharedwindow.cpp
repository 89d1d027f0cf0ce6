// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/sharedwindow.h"

#include <QCloseEvent>

SharedWindow::SharedWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

bool SharedWindow::FileCloseCalculator_Action()
{
    close();
    return true;
}

void SharedWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        closing = true;
}
