// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The fair yardstick for the start-up benchmark: a Qt Widgets window of the
// main window's size with one label and one button, which loads a font as
// the game does.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Lettrisko"));
    window.setFixedSize(792, 569);
    auto *label = new QLabel(QStringLiteral("Einstellungen"), &window);
    label->move(16, 16);
    auto *button = new QPushButton(QStringLiteral("Spiel starten!"), &window);
    button->setGeometry(16, 472, 217, 41);
    window.show();
    return app.exec();
}
