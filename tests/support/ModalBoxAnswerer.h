// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Answers the modal message boxes that the code under test opens: every box
// that becomes the active modal widget is recorded and its button pressed.
// Boxes run their own event loop, so the answer comes from a timer.
class ModalBoxAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Box
    {
        QString title;
        QString text;
        // The second paragraph: what to do about it.
        QString explanation;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
    };

    // Presses the button with this role-or-standard-button, or by text.
    explicit ModalBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok, QObject *parent = nullptr);
    explicit ModalBoxAnswerer(const QString &buttonText, QObject *parent = nullptr);

    const QList<Box> &boxes() const { return m_boxes; }
    int count() const { return m_boxes.size(); }
    Box last() const { return m_boxes.isEmpty() ? Box() : m_boxes.last(); }
    void clear() { m_boxes.clear(); }

    // Runs this callback while the box is open, before answering it.
    void setWhileOpen(std::function<void()> callback) { m_whileOpen = std::move(callback); }

private:
    void poll();

    QTimer m_timer;
    QMessageBox::StandardButton m_answer = QMessageBox::Ok;
    QString m_buttonText;
    QList<Box> m_boxes;
    std::function<void()> m_whileOpen;
};
