// The main window: caption and the data module it holds.
#include "app/MainForm.h"

#include "storage/CardDataMod.h"

TMainQVZorek::TMainQVZorek(QWidget* parent)
    : QMainWindow(parent), m_cardData(std::make_unique<TCardData>())
{
    setObjectName(QStringLiteral("MainQVZorek"));
    setWindowTitle(QStringLiteral("Quillvane"));
    resize(800, 560);
}

TMainQVZorek::~TMainQVZorek() = default;
