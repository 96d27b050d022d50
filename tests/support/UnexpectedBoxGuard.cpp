// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/UnexpectedBoxGuard.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

namespace {

constexpr int kPollMs = 100;

QString describe(QWidget *modal)
{
    QString text;
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        text = box->text();
    else if (auto *query = qobject_cast<QInputDialog *>(modal))
        text = query->labelText();
    return QStringLiteral("unexpected box \"%1\" left open: %2").arg(modal->windowTitle(), text);
}

} // namespace

UnexpectedBoxGuard::UnexpectedBoxGuard(int patienceMs, QObject *parent)
    : QObject(parent)
    , m_patienceMs(patienceMs)
{
    connect(&m_timer, &QTimer::timeout, this, &UnexpectedBoxGuard::poll);
    m_timer.start(kPollMs);
}

void UnexpectedBoxGuard::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) {
        m_seen = nullptr;
        return;
    }
    if (modal != m_seen) {
        m_seen = modal;
        m_seenForMs = 0;
        return;
    }
    m_seenForMs += kPollMs;
    if (m_seenForMs < m_patienceMs)
        return;

    const QByteArray message = describe(modal).toUtf8();
    m_seen = nullptr;
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
    QTest::qFail(message.constData(), __FILE__, __LINE__);
}
