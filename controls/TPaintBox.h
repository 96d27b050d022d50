#pragma once

#include <QWidget>

class QPainter;

// A plain surface whose owner draws on it: every paint request is handed to
// the Paint signal with a painter open on the box.
class TPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit TPaintBox(QWidget *parent = nullptr);

Q_SIGNALS:
    void Paint(QPainter &painter);

protected:
    void paintEvent(QPaintEvent *event) override;
};
