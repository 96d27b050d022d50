// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/SoloPage.h"

#include "controls/MessageBoxes.h"
#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "controls/TRadioGroup.h"
#include "game/OwnWords.h"
#include "text/CodePageValidator.h"
#include "window/pages/PageKit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

using namespace PageKit;

SoloPage::SoloPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Allein"));
    Panel6 = banner(this, "Panel6", QStringLiteral("Allein spielen"));
    Logo6 = decoration(this, "Logo6", 534);

    SoloName = edit(this, "SoloName", {240, 52, 201, 34});
    labelEndingAt(this, QStringLiteral("&Name:"), 222, 56, SoloName)->setObjectName(QStringLiteral("Label_SoloName"));
    SoloName->setValidator(new CodePageValidator(SoloName));
    connect(SoloName, &QLineEdit::inputRejected, this, &SoloPage::inputRefused);

    SoloDifficulty = named(new TRadioGroup(QStringLiteral("Schwierigkeit"),
                                           {QStringLiteral("&leicht"), QStringLiteral("&mittel"),
                                            QStringLiteral("&schwer"), QStringLiteral("&gemischt")},
                                           this),
                           "SoloDifficulty");
    SoloDifficulty->setGeometry(240, 100, 273, 150);

    SoloTopic = named(new QComboBox(this), "SoloTopic");
    SoloTopic->setGeometry(240, 264, 273, 36);
    labelEndingAt(this, QStringLiteral("&Thema:"), 222, 268, SoloTopic)->setObjectName(QStringLiteral("Label_SoloTopic"));

    SoloInfo = named(new QLabel(QStringLiteral("Die Wörter wählt der Computer. Runden, Fehler und Zeit gelten, "
                                               "wie sie unter „Einstellungen“ stehen."),
                                this),
                     "SoloInfo");
    SoloInfo->setGeometry(24, 320, 489, 60);
    SoloInfo->setWordWrap(true);

    SoloOwnWords = button(this, "SoloOwnWords", QStringLiteral("&Eigene Wörter …"), {240, 392, 273, 44});
    SoloOwnWords->setToolTip(QStringLiteral("Eine Textdatei mit einem Wort oder Satz je Zeile, "
                                            "dahinter nach einem Tabulator auf Wunsch ein Thema"));

    SoloCancel = button(this, "SoloCancel", QStringLiteral("Abbrechen"), {16, 504, 185, 57});
    SoloCancel->setCancelButton(true);
    setCancelGlyph(SoloCancel);
    SoloOK = button(this, "SoloOK", QStringLiteral("OK"), {328, 504, 185, 57});
    SoloOK->setDefaultButton(true);
    setOkGlyph(SoloOK);

    chainTabOrder({SoloName, SoloDifficulty, SoloTopic, SoloOwnWords, SoloCancel, SoloOK});

    connect(SoloDifficulty, &TRadioGroup::Click, this, &SoloPage::SoloDifficultyClick);
    // One's own words have no difficulty.
    connect(SoloTopic, &QComboBox::currentTextChanged, this,
            [this](const QString &topic) { SoloDifficulty->setEnabled(!OwnWords::isOwnTopic(topic)); });
    connect(SoloOwnWords, &QAbstractButton::clicked, this, &SoloPage::SoloOwnWordsClick);
    connect(SoloOK, &QAbstractButton::clicked, this, &SoloPage::SoloOKClick);
    connect(SoloCancel, &QAbstractButton::clicked, this, &SoloPage::SoloCancelClick);
}

void SoloPage::showChoice(const QString &name, Difficulty::Level level)
{
    SoloName->setText(name);
    SoloDifficulty->setItemIndex(int(level));
}

void SoloPage::showTopics(const QStringList &offered, const QString &preferred)
{
    const QString chosen = SoloTopic->count() > 0 ? SoloTopic->currentText() : preferred;
    SoloTopic->clear();
    SoloTopic->addItems(offered);
    SoloTopic->setCurrentIndex(qMax(0, SoloTopic->findText(chosen)));
}

void SoloPage::chooseTopic(const QString &topic)
{
    SoloTopic->setCurrentIndex(qMax(0, SoloTopic->findText(topic)));
    // Return now starts the match rather than opening the file dialog again.
    SoloTopic->setFocus();
}

Difficulty::Level SoloPage::level() const
{
    return Difficulty::Level(qMax(0, SoloDifficulty->ItemIndex()));
}

void SoloPage::focusName()
{
    SoloName->setFocus();
}

void SoloPage::SoloDifficultyClick()
{
    Q_EMIT levelChosen(level());
}

void SoloPage::SoloOwnWordsClick()
{
    // Kept for the next time: the key that closes it may still be on its
    // way to it.
    if (!m_fileDialog) {
        m_fileDialog = new QFileDialog(this, QStringLiteral("Eigene Wörter wählen"), QString(),
                                       QStringLiteral("Textdateien (*.txt);;Alle Dateien (*)"));
        m_fileDialog->setObjectName(QStringLiteral("SoloWordFileDialog"));
        m_fileDialog->setFileMode(QFileDialog::ExistingFile);
        connect(m_fileDialog, &QFileDialog::fileSelected, this, &SoloPage::wordFileChosen);
        // The file name's completion list would stay open above the page.
        connect(m_fileDialog, &QDialog::finished, this, [this] {
            for (QCompleter *completer : m_fileDialog->findChildren<QCompleter *>())
                completer->popup()->hide();
        });
    }
    m_fileDialog->setDirectory(m_wordFile.isEmpty() ? QDir::homePath() : QFileInfo(m_wordFile).path());
    if (!m_wordFile.isEmpty())
        m_fileDialog->selectFile(m_wordFile);
    m_fileDialog->open();
}

void SoloPage::SoloOKClick()
{
    const QString name = SoloName->text();
    if (name.isEmpty()) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"), QStringLiteral("Gib deinen Namen ein."));
        SoloName->setFocus();
        return;
    }
    Q_EMIT accepted(name, level(), SoloTopic->currentText());
}

void SoloPage::SoloCancelClick()
{
    Q_EMIT cancelled();
}
