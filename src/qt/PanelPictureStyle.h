#pragma once

#include <QProxyStyle>

namespace quendrix::qt {

// The desktop's style, except that the panel of a text box is drawn from a picture kept for
// its size and look. A box whose text changes with every character of a reply is painted
// once a frame, and drawing its rounded frame afresh each time costs more than its text.
class PanelPictureStyle final : public QProxyStyle {
    Q_OBJECT

public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

}  // namespace quendrix::qt
