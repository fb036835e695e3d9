#include "tool_window_label.h"

#include "fonts.h"

#include <QPalette>

namespace hearvex::controls {

QLabel* toolWindowLabel(QWidget* parent, const char* name, QRect place, int pixelSize) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(interfaceFont(pixelSize));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    return label;
}

} // namespace hearvex::controls
