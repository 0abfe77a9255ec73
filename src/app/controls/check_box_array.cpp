// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "check_box_array.h"

namespace corvane {

void CheckBoxArray::append(QCheckBox *box)
{
    const int index = size();
    m_boxes.append(box);
    connect(box, &QCheckBox::toggled, this, [this, index] { emit clicked(index); });
}

} // namespace corvane
