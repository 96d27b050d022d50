#include "controls/TPaintBox.h"

#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent)
    : QWidget(parent)
{
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Q_EMIT Paint(painter);
}
