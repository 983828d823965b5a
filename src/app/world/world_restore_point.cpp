#include "app/world/world_restore_point.h"

#include <QFile>

#include "world/welt.h"

namespace tumbo::app {

void TWorldRestorePoint::Keep(const TWelt &world, const QString &fileName)
{
    kept_ = Kept{world.SaveToText(), fileName};
}

void TWorldRestorePoint::KeepIfUnsaved(const TWelt &world, const QString &fileName)
{
    std::string text = world.SaveToText();
    if (fileName.isEmpty()) {
        // An empty room of its size holds nothing to lose.
        const TRaum &room = world.Room;
        if (text == TWelt(room.Width(), room.Length(), room.MaxHeight()).SaveToText())
            return;
    } else {
        QFile file(fileName);
        if (file.open(QIODevice::ReadOnly) && file.readAll().toStdString() == text)
            return;
    }
    kept_ = Kept{std::move(text), fileName};
}

std::optional<QString> TWorldRestorePoint::Restore(TWelt &world)
{
    if (!kept_)
        return std::nullopt;
    Kept kept = std::move(*kept_);
    kept_.reset();
    // The text was written by the world itself, so reading it back cannot fail.
    world.LoadFromText(kept.text, kept.fileName.toStdString());
    return kept.fileName;
}

}  // namespace tumbo::app
