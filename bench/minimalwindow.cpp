// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of the start-up measurement: the smallest Qt Widgets program
// with one window holding one button.
#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QPushButton(QStringLiteral("Button"), &window));
    window.show();
    return application.exec();
}
