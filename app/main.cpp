// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Zorvane"));
    window.setWindowTitle(QStringLiteral("Zorvane"));
    window.resize(360, 370);
    window.show();
    return application.exec();
}
