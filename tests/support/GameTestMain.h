// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/GameApplication.h"

#include <QTest>

// QTEST_MAIN with the game's own application object, which runs the main
// window's key preview.
#define GAME_TEST_MAIN(TestObject)                                                                                  \
    int main(int argc, char *argv[])                                                                               \
    {                                                                                                              \
        GameApplication app(argc, argv);                                                                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                   \
        TestObject tc;                                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                                      \
    }
