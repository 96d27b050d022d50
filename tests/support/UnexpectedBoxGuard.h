// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// Fails the running test when a modal box stays open that nobody answers,
// and closes it, so that a box the test did not expect ends the test in
// seconds instead of holding it until ctest gives up. Boxes a test expects
// are answered long before (ModalBoxAnswerer answers within milliseconds).
class UnexpectedBoxGuard : public QObject
{
    Q_OBJECT

public:
    explicit UnexpectedBoxGuard(int patienceMs = 5000, QObject *parent = nullptr);

private:
    void poll();

    QTimer m_timer;
    int m_patienceMs;
    QPointer<QWidget> m_seen;
    int m_seenForMs = 0;
};
