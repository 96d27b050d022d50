// Game page: guessing, the countdown and the drawing of the word.
#include "window/TForm1.h"

#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"
#include "game/WordLayout.h"
#include "net/PeerLink.h"
#include "platform/SoundService.h"

#include <QCheckBox>
#include <QCollator>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

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

bool isRevealed(const TRoundState &state, QChar c)
{
    return state.GuessedChars.contains(upperCaseOf(c));
}

} // namespace

void TForm1::GameStartGameClick()
{
    GameStartGame->hide();
    RoundState.RoundRunning = true;
    RoundState.GuessedChars.clear();

    // The given first letter is a guess of its own, made silently.
    const bool soundsWanted = PlaySounds->isChecked();
    PlaySounds->setChecked(false);
    if (SetFirstLetter->isChecked() && !RoundState.SecretWord.isEmpty())
        FormKeyPress(nullptr, RoundState.SecretWord.at(0));
    else
        DrawWord();
    PlaySounds->setChecked(soundsWanted);

    if (!NoLimit->isChecked() && RoundState.RoundRunning)
        Timer->start();

    if (LocalGuesses())
        peer().sendStart();
}

void TForm1::FormKeyPress(QObject *sender, QChar key)
{
    // The setter's own keyboard cannot guess; the peer's guesses arrive
    // without a sender and pass.
    if (currentPage() != GamePage || !RoundState.RoundRunning || (LocalSetsWord() && sender))
        return;

    const QChar upper = upperCaseOf(key);
    if (!RoundState.AllowedChars.contains(key) && !RoundState.AllowedChars.contains(upper)) {
        sound().beep();
        return;
    }
    if (RoundState.GuessedChars.contains(upper)) {
        sound().beep();
        return;
    }
    RoundState.GuessedChars.insert(upper);

    bool inWord = false;
    for (const QChar c : qAsConst(RoundState.SecretWord)) {
        if (upperCaseOf(c) == upper) {
            inWord = true;
            break;
        }
    }

    if (inWord) {
        PlaySoundResource(QStringLiteral("RICHTIG"));
    } else {
        curMistakes->setValue(curMistakes->Value() + 1);
        auto *wrongGuess = new WrongGuessItem(upper, CharList->gridSize());
        CharList->addItem(wrongGuess);
        CharList->sortItems();
        // Sorted in, the new guess may land beyond the visible columns.
        CharList->scrollToItem(wrongGuess);
        PlaySoundResource(QStringLiteral("FALSCH"));
        // Exact equality: with a maximum of 0 the count runs past it and
        // only the word or the clock can end the turn.
        if (curMistakes->Value() == MaxMistakes->Value()) {
            RoundState.RoundRunning = false;
            RoundState.RoundOver = true;
            Timer->stop();
            DrawWord();
            PlaySoundResource(QStringLiteral("VERLOREN"));
            GameOK->show();
        }
    }

    if (perLetter->isChecked()) {
        Time->setValue(TimeLimit->value());
        // A fresh period: the next tick comes a whole second after the guess.
        if (Timer->isActive())
            Timer->start();
    }

    DrawWord();

    if (LocalGuesses() && sender == this)
        peer().sendGuess(key);
}

void TForm1::TimerTimer()
{
    // A tick that was already queued when the turn ended changes nothing.
    if (!RoundState.RoundRunning) {
        Timer->stop();
        return;
    }

    Time->setValue(Time->Value() - 1);
    PlaySoundResource(QStringLiteral("ZEIT"));
    if (Time->Value() > 0)
        return;

    // Running out of time costs the full count of mistakes.
    Timer->stop();
    curMistakes->setValue(MaxMistakes->Value());
    RoundState.RoundRunning = false;
    RoundState.RoundOver = true;
    DrawWord();
    PlaySoundResource(QStringLiteral("VERLOREN"));
    GameOK->show();
}

// The picture itself is painted by FormPaint; here the word is checked for
// completion and the paint box told that its picture changed.
void TForm1::DrawWord()
{
    if (!RoundState.RoundRunning && !RoundState.RoundOver)
        return;

    WordPaintBox->update();

    int hidden = 0;
    for (const QChar c : qAsConst(RoundState.SecretWord)) {
        if (!isRevealed(RoundState, c))
            ++hidden;
    }
    if (hidden == 0 && RoundState.RoundRunning) {
        RoundState.RoundRunning = false;
        RoundState.RoundOver = true;
        Timer->stop();
        PlaySoundResource(QStringLiteral("GEWONNEN"));
        GameOK->show();
    }
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
        const bool missing = !isRevealed(RoundState, RoundState.SecretWord.at(i));
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
            if (!isRevealed(RoundState, c) && !RoundState.RoundOver)
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
    if (!PlaySounds->isChecked())
        return false;
    return sound().playResource(name);
}
