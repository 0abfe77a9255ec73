// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "option_array.h"

#include <QButtonGroup>

namespace corvane {

OptionArray::OptionArray(QObject *parent)
    : QObject(parent)
    , m_group(new QButtonGroup(this))
{
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit clicked(id);
    });
}

void OptionArray::append(OptionButton *button)
{
    m_group->addButton(button, size());
}

OptionButton *OptionArray::at(int index) const
{
    return static_cast<OptionButton *>(m_group->button(index));
}

int OptionArray::size() const
{
    return int(m_group->buttons().size());
}

} // namespace corvane
