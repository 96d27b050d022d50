// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QString>

#include <functional>

class QCheckBox;
class QColor;
class QFrame;
class QGroupBox;
class QLabel;
class QPainter;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QStackedWidget;
class TImage;
class TPaintBox;
class TWinXP;
class UpdateSession;

// The update wizard "Updates installieren".
//
// Made once per main window and kept until the program ends: its
// destruction records the next reminder and starts a prepared
// installation script.
//
// The check and the download run inside the click handlers while the event
// loop keeps going, so the user may press other buttons meanwhile. Every
// way of closing therefore only records the request; the window closes
// once the handler that is running has returned to the dialog's loop.
class TStatusForm : public QDialog
{
    Q_OBJECT

public:
    // The pages of Pages, in their order. The steps up to FinishPage show
    // the page of their number.
    enum Page { WelcomePage, CheckPage, ResultPage, DownloadPage, InstallPage, FinishPage, SettingsPage };
    // The step after the last page: the program is ending.
    static constexpr int EndStep = FinishPage + 1;

    explicit TStatusForm(QWidget *parent = nullptr);
    ~TStatusForm() override;

    // Handed in by AutomaticUpdate before each showing.
    QString ProgramName;
    QString ZIPFileName;
    QString RegistryKey;
    QDateTime ProgramDate;
    bool HKCU = false;

    // The operations behind the pages; its HTTP client names the server.
    UpdateSession *session() const { return m_session; }
    // Whether the computer is online; the platform's answer unless a test
    // sets another.
    std::function<bool()> connectionCheck;

    // Shows the wizard modally from its first page; returns once it closed.
    void showModal();

    // The wizard's state, as the pages show it.
    int step() const { return Step; }
    bool isChecking() const { return m_checking; }
    bool isDownloading() const { return Downloading; }
    bool isDownloadAborted() const { return DownloadAborted; }
    bool isInstalled() const { return Installed; }
    bool isUpdateAvailable() const { return UpdateAvailable; }

    // --- handlers
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void PaintBox_ProcessPaint(QPainter &painter);
    void Button_NextClick();
    void Button_CancelClick();
    void Button_CheckClick();
    void CancelDownloadClick();
    void Button_SettingsClick();
    void Button_SettingsSaveClick();
    void Button_SettingsCancelClick();
    void RadioButton_UpdtClick();
    void HTTPFailure(const QString &command);
    void HTTPConnectionFailed();
    void OnUpdateTimer(qint64 received, qint64 total);

Q_SIGNALS:
    // The wizard has ended the program ("Beenden" after the installation
    // was prepared, or closing it at that step).
    void applicationEndRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    class HandlerScope;

    static QString stepTitle(int step);
    void createControls();
    void createPages();
    QWidget *addPage(const char *caption);
    void showStandardButtons(bool standard);
    void keepFocusInSight();
    bool settingsShown() const;
    void showStepPage(int page);
    void runDownload();
    void prepareInstallation();
    void resetProgress();
    void stopWaiting();
    bool confirmCancelDownload();
    void requestClose();
    void closeIfRequested();

    UpdateSession *m_session = nullptr;

    // Wizard state
    int Step = WelcomePage;
    bool UpdateAvailable = false;
    bool Downloading = false;
    bool CancelRequested = false;
    bool DownloadAborted = false;
    bool Installed = false;
    QElapsedTimer m_downloadStart;

    // Handlers with a transfer in them that have not yet returned.
    int m_runningHandlers = 0;
    bool m_closeRequested = false;
    bool m_checking = false;
    // "Abbrechen" or the close box ended the running check.
    bool m_checkCancelled = false;
    // The page of the step reached; the settings page may cover it.
    int m_stepPage = 0;
    // The download page's text, shown again when a download starts.
    QString m_downloadPageText;
    QString m_installPageText;

    // Controls, named as in the form.
    TWinXP *WinXP = nullptr;
    TPaintBox *PaintBox_Process = nullptr;
    QLabel *Panel_Title = nullptr;
    QStackedWidget *Pages = nullptr;
    QFrame *Bevel1 = nullptr;
    QPushButton *Button_Settings = nullptr;
    QStackedWidget *Notebook_StdButtons = nullptr;
    QPushButton *Button_Cancel = nullptr;
    QPushButton *Button_Next = nullptr;
    QPushButton *Button_SettingsCancel = nullptr;
    QPushButton *Button_SettingsSave = nullptr;

    TImage *Image_Icon1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *Button_Check = nullptr;
    QLabel *Label_CheckResult = nullptr;
    // Long change lists scroll, so that the sentence after them stays.
    QScrollArea *ScrollBox_CheckResult = nullptr;
    QLabel *Label_Download = nullptr;
    QProgressBar *Status = nullptr;
    QLabel *PerCent = nullptr;
    QLabel *StatusLabel = nullptr;
    QLabel *TimeLeft = nullptr;
    TImage *Icon = nullptr;
    QPushButton *CancelDownload = nullptr;
    TImage *Image_Icon2 = nullptr;
    QLabel *Label3 = nullptr;
    QCheckBox *CheckBox_Restart = nullptr;
    TImage *Image_Icon3 = nullptr;
    QLabel *Label5 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *RadioButton_NoAutoUpdt = nullptr;
    QLabel *Label1 = nullptr;
    QRadioButton *RadioButton_AutoUpdt = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label_AutoUpdt1 = nullptr;
    QSpinBox *SpinEdit_AutoUpdt = nullptr;
    QLabel *Label_AutoUpdt2 = nullptr;
};

// One channel after the other, From's value moved toward To's by
// Position / Width, truncated toward zero; a Width of 0 or less gives From.
QColor ColorBlend(const QColor &From, const QColor &To, int Position, int Width);
