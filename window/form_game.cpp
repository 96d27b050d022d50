// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Game page: guessing, the countdown and the drawing of the word.
#include "window/TForm1.h"

#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"
#include "game/WordLayout.h"
#include "platform/SoundService.h"

#include <QCollator>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>

namespace {

constexpr int kCharacterPoints = 28;
constexpr int kNumberPoints = 10;

// Wrong guesses are listed in dictionary order, so Ä stands beside A and
// not behind Z.
class WrongGuessItem : public QListWidgetItem
{
public:
    // Each guess fills its column of the list and stands in its middle,
    // apart from its neighbours.
    WrongGuessItem(QChar guess, QSize column)
        : QListWidgetItem(QString(guess))
    {
        setSizeHint(column);
        setTextAlignment(Qt::AlignCenter);
    }

    bool operator<(const QListWidgetItem &other) const override
    {
        static const QCollator collator = [] {
            QCollator german{QLocale(QLocale::German, QLocale::Germany)};
            german.setCaseSensitivity(Qt::CaseInsensitive);
            return german;
        }();
        const int order = collator.compare(text(), other.text());
        return order != 0 ? order < 0 : text() < other.text();
    }
};

} // namespace

void TForm1::GameStartGameClick()
{
    if (m_keyboard)
        m_keyboard->startTurn();
}

void TForm1::FormKeyPress(QChar key)
{
    // Typing is guessing only while the game page shows the turn.
    if (currentPage() == GamePage && m_keyboard)
        m_keyboard->guess(key);
}

void TForm1::showGuess(int seat, QChar key, Round::Guess result, bool atStart)
{
    Q_UNUSED(seat)
    // The given first letter is revealed silently.
    const bool audible = !atStart;
    switch (result) {
    case Round::Guess::Refused:
    case Round::Guess::Repeated:
        if (audible)
            sound().beep();
        return;
    case Round::Guess::Hit:
    case Round::Guess::Won:
        if (audible)
            PlaySoundResource(QStringLiteral("RICHTIG"));
        break;
    case Round::Guess::Miss:
    case Round::Guess::Lost: {
        curMistakes->setValue(RoundState.mistakes());
        auto *wrongGuess = new WrongGuessItem(upperCaseOf(key), CharList->gridSize());
        CharList->addItem(wrongGuess);
        CharList->sortItems();
        // Sorted in, the new guess may land beyond the visible columns.
        CharList->scrollToItem(wrongGuess);
        if (audible)
            PlaySoundResource(QStringLiteral("FALSCH"));
        break;
    }
    }

    if (RoundState.timeLimit() == Round::TimeLimit::PerGuess)
        Time->setValue(RoundState.secondsLeft());
    DrawWord();
    // A mistake may leave no room for a hint.
    showHint();
}

void TForm1::TimerTimer()
{
    Time->setValue(RoundState.secondsLeft());
    PlaySoundResource(QStringLiteral("ZEIT"));
}

void TForm1::showTurnEnd(const TurnRecord &turn)
{
    // Running out of time costs the full count of mistakes.
    curMistakes->setValue(turn.mistakes);
    DrawWord();
    PlaySoundResource(turn.outcome == TurnRecord::Outcome::Won ? QStringLiteral("GEWONNEN")
                                                               : QStringLiteral("VERLOREN"));
    GameOK->show();
}

// The picture itself is painted by FormPaint; here the paint box is told
// that its picture changed.
void TForm1::DrawWord()
{
    WordPaintBox->update();
    showWordToReaders();
}

void TForm1::FormPaint(QPainter &painter)
{
    if (currentPage() != GamePage || (!RoundState.RoundRunning && !RoundState.RoundOver))
        return;

    // Point sizes become pixels once, at the box's resolution, so that the
    // picture is the same on screen and when rendered into an image.
    const int dpi = WordPaintBox->logicalDpiY();
    QFont characterFont = font();
    characterFont.setPixelSize(qRound(kCharacterPoints * dpi / 72.0));
    QFont numberFont = font();
    numberFont.setPixelSize(qRound(kNumberPoints * dpi / 72.0));
    const QFontMetrics characterMetrics(characterFont);
    const QFontMetrics numberMetrics(numberFont);

    const QColor textColour = WordPaintBox->palette().color(QPalette::WindowText);
    const QColor missingColour(255, 0, 0);
    const QColor background = WordPaintBox->palette().color(QPalette::Window);
    // Once the turn is over, what was not guessed shows in red.
    auto colourAt = [this, &textColour, &missingColour](int i) {
        const bool missing = !RoundState.isRevealed(RoundState.SecretWord.at(i));
        return missing && RoundState.RoundOver ? missingColour : textColour;
    };

    // Each text goes on an opaque patch of the background, as a solid brush
    // would leave it.
    auto drawCentred = [&painter, &background](const QFontMetrics &metrics, int centreX, int top,
                                                 const QString &text) {
        const int width = metrics.horizontalAdvance(text);
        const QRect patch(WordLayout::centredLeft(centreX, width), top, width, metrics.height());
        painter.fillRect(patch, background);
        painter.drawText(patch.left(), top + metrics.ascent(), text);
    };

    // Line by line, the characters and then their numbers: within a line
    // the two never overlap, and changing the font only twice per line keeps
    // repainting a long word cheap.
    painter.save();
    const QString &word = RoundState.SecretWord;
    const int perLine = WordLayout::cellsPerLine();
    for (int lineStart = 0; lineStart < word.size(); lineStart += perLine) {
        const int lineEnd = qMin(lineStart + perLine, int(word.size()));

        painter.setFont(characterFont);
        for (int i = lineStart; i < lineEnd; ++i) {
            const QPoint cell = WordLayout::cellOrigin(i + 1);
            QChar c = word.at(i);
            if (!RoundState.isRevealed(c) && !RoundState.RoundOver)
                c = QLatin1Char('_');
            painter.setPen(colourAt(i));
            drawCentred(characterMetrics, cell.x() + WordLayout::kCellCentre, cell.y(),
                        QLatin1Char(' ') + c + QLatin1Char(' '));
        }

        // Each number sits right under its character's own height.
        painter.setFont(numberFont);
        for (int i = lineStart; i < lineEnd; ++i) {
            const QPoint cell = WordLayout::cellOrigin(i + 1);
            painter.setPen(colourAt(i));
            drawCentred(numberMetrics, cell.x() + WordLayout::kCellCentre, cell.y() + characterMetrics.height(),
                        QString::number(i + 1));
        }
    }
    painter.restore();
}

bool TForm1::PlaySoundResource(const QString &name)
{
    if (!m_settings.PlaySounds)
        return false;
    return sound().playResource(name);
}
