#pragma once

// Filling the list by dragging files and folders from the file manager.
// The program only takes the dropped paths: it never moves, copies or links
// the dropped items, and it never tells the drag source that it moved them.

#include <QObject>
#include <QUrl>

#include "core/file_list.h"
#include "ui/status_display.h"

class QAbstractScrollArea;
class QDropEvent;
class QMimeData;

namespace varentix {

// The drop effect for the keys held and the effects the source allows:
// no key, copy, else move, else link; Ctrl, copy or nothing; Shift, move or
// nothing; Ctrl and Shift, nothing. Alt is not looked at.
[[nodiscard]] Qt::DropAction drop_effect(Qt::KeyboardModifiers keys, Qt::DropActions allowed);

// The files text of a drop: one path alone, or every path followed by
// CR LF, in the source's order. Only absolute local paths count, without
// CR, LF or NUL and within the system's path limit: anything else could
// name a file nobody dropped.
[[nodiscard]] Text files_text(const QList<QUrl>& urls);

// Splits a files text at CR LF pairs and appends each path; the status goes
// to "not imported", then "imported". The count is left alone.
void import_dropped(const Text& files, FileList& list, StatusDisplay& status);

// The list box's drop target (拖放对象1). Whether a drag offers something
// it takes (files, or plain text) is decided when the drag enters and holds
// until it leaves.
class DropTarget final : public QObject {
    Q_OBJECT
public:
    explicit DropTarget(QObject* parent = nullptr);

    // Takes drops on the list's viewport; false, and nothing changes, when
    // this target is already attached.
    bool attach(QAbstractScrollArea* list);

Q_SIGNALS:
    void files_dropped(const varentix::Text& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Offer { Nothing, PlainText, Files };

    static Offer offer_of(const QMimeData* data);
    void drop(QDropEvent* event);

    QObject* attached_ = nullptr;
    Offer offer_ = Offer::Nothing;
};

}  // namespace varentix
