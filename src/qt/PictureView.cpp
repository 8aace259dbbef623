#include "qt/PictureView.h"

#include <QPixmap>

#include "qt/ControlPlacement.h"
#include "qt/shared/CodePage.h"

namespace quendrix::qt {

PictureView::PictureView(platform::PictureBox& picture, QWidget* parent)
    : QLabel(parent), picture_(picture) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPixmap(QPixmap(":/quendrix/" + toQString(picture.image()) + ".png"));
    subscription_ = picture.observe([this] { sync(); });
    sync();
}

void PictureView::sync() {
    ControlPlacement::apply(picture_, *this);
}

}  // namespace quendrix::qt
