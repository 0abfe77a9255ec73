#pragma once

class QApplication;
class QIcon;

namespace corvane {

QIcon applicationIcon();

// Names, icon, and Qt's own texts in Japanese whatever the system locale.
void prepareApplication(QApplication &app);

} // namespace corvane
