// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for the start-up benchmark: an empty Qt Widgets window of
// the main window's size, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Lettrisko"));
    window.setFixedSize(792, 569);
    window.show();
    return app.exec();
}
