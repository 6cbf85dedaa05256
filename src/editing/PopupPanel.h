// The look the edit window's small popups share: a borderless pale blue panel with small
// glyph buttons.
#pragma once

#include <QColor>
#include <QString>

class QDialog;
class QPushButton;
class QWidget;

QColor PopupPanelColor();
// Makes the dialog a borderless window on a pale blue panel.
void MakePopupPanel(QDialog& dialog);
// A small square button showing a glyph, with a hint.
QPushButton* MakePopupButton(QWidget* parent, const QString& name, const QString& glyph,
                             const QString& hint);
