#pragma once

#include <QPushButton>

// A large square push button whose caption wraps onto two lines, so the long
// captions of the top row ("Delete All Screens") fit the designed width. The
// caption stays the button's text() unchanged.
class TTileButton : public QPushButton
{
    Q_OBJECT

public:
    TTileButton(const QString &objectName, const QString &caption, const QString &hint,
                QWidget *parent);

    // Drawn centred above the caption.
    void SetPicture(const QPixmap &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap FPicture;
};
