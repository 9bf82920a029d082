#pragma once

#include <QColor>
#include <QWidget>

class QLabel;

// A framed panel with a coloured caption bar, as the console's panels look.
// The panel's own controls go into Body(). A press on the panel or its caption
// moves the window, like a press on the title bar.
class TCaptionPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int CaptionBarHeight = 20;

    TCaptionPanel(const QString &objectName, const QString &caption, const QColor &barColour,
                  const QColor &frameColour, QWidget *parent);

    QWidget *Body() const { return FBody; }
    QLabel *CaptionLabel() const { return FCaption; }
    QString Caption() const;
    void SetCaption(const QString &caption);

    // Greyed: grey caption text and frame on a silver bar; else the designed colours.
    void SetGreyed(bool greyed);
    bool IsGreyed() const { return FGreyed; }
    QColor BarColour() const;
    QColor FrameColour() const;
    QColor CaptionColour() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLabel *FCaption = nullptr;
    QWidget *FBody = nullptr;
    QColor FBarColour;
    QColor FFrameColour;
    bool FGreyed = false;
};

// Starts moving the top-level window of `widget` as a title-bar press would.
void StartWindowMove(QWidget *widget);
