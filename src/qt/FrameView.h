#pragma once

#include <QGroupBox>
#include <QPixmap>
#include <QStyle>

#include "platform/Frame.h"

namespace quendrix::qt {

// A captioned panel; its children are placed inside it by the window. A panel lies beneath
// text boxes that change many times a second, and is painted beneath each of them; drawing
// its caption and border afresh every time would cost more than the boxes themselves, so the
// panel keeps a picture of itself and paints from it until it looks different.
class FrameView final : public QGroupBox {
    Q_OBJECT

public:
    FrameView(platform::Frame& frame, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What the panel's picture depends on.
    struct Look {
        QSize size;
        qreal pixelRatio = 0;
        QString title;
        QString font;
        qint64 palette = 0;
        QStyle::State state;
        const QStyle* style = nullptr;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        bool operator==(const Look&) const = default;
    };

    void sync();
    Look look() const;

    platform::Frame& frame_;
    QPixmap picture_;
    Look pictured_;
    platform::Subscription subscription_;
};

}  // namespace quendrix::qt
