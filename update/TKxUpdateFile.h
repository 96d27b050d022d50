#pragma once

#include <QObject>
#include <QString>

// The online-update component of the main window.
class TKxUpdateFile : public QObject
{
    Q_OBJECT

public:
    explicit TKxUpdateFile(QObject *owner);

    // The start-up check. The reminder schedule and the wizard are not part
    // of this build yet, so it returns at once.
    void AutomaticUpdate(const QString &argumentTail, bool onDemand, double programDate);
};
