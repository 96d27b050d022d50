// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/MessageBoxes.h"

#include <QLabel>
#include <QPushButton>

void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    showMessageBox(parent, icon, title, text, QString());
}

namespace {

void explain(QMessageBox &box, const QString &explanation)
{
    box.setTextFormat(Qt::PlainText);
    if (explanation.isEmpty())
        return;
    box.setInformativeText(explanation);
    // Wide enough that the explanation reads as sentences, not as a column.
    box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_informativelabel { min-width: 28em; }"));
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
}

} // namespace

void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                    const QString &explanation)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    explain(box, explanation);
    box.exec();
}

void openMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                    const QString &explanation, const std::function<void()> &closed)
{
    auto *box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    explain(*box, explanation);
    if (closed)
        QObject::connect(box, &QDialog::finished, box, [closed](int) { closed(); });
    box->open();
}

void showMessageBoxWithDetails(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                               const QString &details)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

bool execYesNo(QMessageBox &box)
{
    QPushButton *yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
