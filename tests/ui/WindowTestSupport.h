#pragma once
// What the window tests share: settings kept in a folder of the test's own (never the user's), the
// texts of a list box, and a program folder seeded with the built kit and Blank.wav.

#include <QCoreApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <filesystem>

namespace tamboro::test {

// While it lives, QSettings reads and writes in a fresh temporary folder.
class TemporarySettings {
public:
    TemporarySettings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    }
    bool isValid() const { return dir_.isValid(); }

private:
    QTemporaryDir dir_;
};

// Sends a mouse event at `local` straight to `target`, as the window system would deliver it.
inline void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

inline QStringList listTexts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

#ifdef TAMBORO_BUILD_ASSETS
// The built default kit and Blank.wav, and the temp folder the render and sample editor use.
inline void seedProgramFolder(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir / "temp");
    for (const char* name : {"Topkit.dxg", "Blank.wav"})
        std::filesystem::copy_file(std::filesystem::path(TAMBORO_BUILD_ASSETS) / name, dir / name,
                                   std::filesystem::copy_options::overwrite_existing);
}
#endif

} // namespace tamboro::test
