// The main window TMainQVZorek: the application's controller window, which owns the
// data module for the whole run.
#pragma once

#include <QMainWindow>
#include <memory>

class TCardData;

class TMainQVZorek : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainQVZorek(QWidget* parent = nullptr);
    ~TMainQVZorek() override;

    TCardData& CardData() { return *m_cardData; }

private:
    std::unique_ptr<TCardData> m_cardData;
};
