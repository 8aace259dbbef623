#include "qt/LabelView.h"

#include "qt/ControlPlacement.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {

LabelView::LabelView(platform::Label& label, QWidget* parent) : QLabel(parent), label_(label) {
    setAutoFillBackground(label.opaque());
    if (label.pointSize() > 0) {
        QFont own = font();
        own.setPointSize(label.pointSize());
        own.setBold(label.bold());
        setFont(own);
    }
    subscription_ = label.observe([this] { sync(); });
    sync();
}

void LabelView::sync() {
    ControlPlacement::apply(label_, *this);
    const QString caption = toQString(label_.caption());
    if (text() != caption) {
        setText(caption);
    }
}

}  // namespace quendrix::qt
