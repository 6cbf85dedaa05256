// The shared look of the edit window's popups.
#include "editing/PopupPanel.h"

#include <QDialog>
#include <QPushButton>

QColor PopupPanelColor()
{
    return QColor(240, 251, 255);
}

void MakePopupPanel(QDialog& dialog)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, PopupPanelColor());
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
}

QPushButton* MakePopupButton(QWidget* parent, const QString& name, const QString& glyph,
                             const QString& hint)
{
    auto* button = new QPushButton(glyph, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setFixedSize(26, 24);
    return button;
}
