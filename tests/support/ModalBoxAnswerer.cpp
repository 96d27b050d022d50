// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/ModalBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

ModalBoxAnswerer::ModalBoxAnswerer(QMessageBox::StandardButton answer, QObject *parent)
    : QObject(parent)
    , m_answer(answer)
{
    connect(&m_timer, &QTimer::timeout, this, &ModalBoxAnswerer::poll);
    m_timer.start(5);
}

ModalBoxAnswerer::ModalBoxAnswerer(const QString &buttonText, QObject *parent)
    : ModalBoxAnswerer(QMessageBox::NoButton, parent)
{
    m_buttonText = buttonText;
}

void ModalBoxAnswerer::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box->property("answered").toBool())
        return;
    box->setProperty("answered", true);

    Box seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.explanation = box->informativeText();
    seen.icon = box->icon();
    for (QAbstractButton *button : box->buttons())
        seen.buttons << button->text();
    m_boxes << seen;

    if (m_whileOpen)
        m_whileOpen();

    QAbstractButton *target = nullptr;
    if (!m_buttonText.isEmpty()) {
        for (QAbstractButton *button : box->buttons())
            if (button->text() == m_buttonText)
                target = button;
    } else if (m_answer != QMessageBox::NoButton) {
        target = box->button(m_answer);
    }
    if (!target && !box->buttons().isEmpty())
        target = box->buttons().first();
    if (target)
        target->click();
    else
        box->done(0);
}
