#include "ui/drop_import.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>

#include "ui/dropped_paths.h"
#include "ui/qt_text.h"

namespace varentix {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

Qt::DropAction drop_effect(Qt::KeyboardModifiers keys, Qt::DropActions allowed) {
    const bool control = keys.testFlag(Qt::ControlModifier);
    const bool shift = keys.testFlag(Qt::ShiftModifier);
    if (control && shift) return Qt::IgnoreAction;
    if (control) return allowed.testFlag(Qt::CopyAction) ? Qt::CopyAction : Qt::IgnoreAction;
    if (shift) return allowed.testFlag(Qt::MoveAction) ? Qt::MoveAction : Qt::IgnoreAction;
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction})
        if (allowed.testFlag(action)) return action;
    return Qt::IgnoreAction;
}

Text files_text(const QList<QUrl>& urls) {
    std::vector<Text> paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        Text path = to_text(QDir::toNativeSeparators(url.toLocalFile()));
        if (usable_dropped_path(path)) paths.push_back(std::move(path));
    }
    if (paths.size() == 1) return paths.front();
    Text text;
    for (const Text& path : paths) text += concat(path, kLineEnd);
    return text;
}

void import_dropped(const Text& files, FileList& list, StatusDisplay& status) {
    status.show_not_imported();
    std::int32_t pos = 0;
    for (std::int32_t piece = 1; pos != -1; ++piece) {
        std::int32_t end = -1;
        if (piece == 1) {
            end = find_text(files, kLineEnd, 1);
            list.append(end == -1 ? files : text_left(files, end - 1));
        } else {
            const std::int32_t start = pos + 2;
            end = find_text(files, kLineEnd, start);
            if (end != -1) list.append(text_mid(files, start, end - pos - 2));
        }
        pos = end;
    }
    status.show_imported();
}

DropTarget::DropTarget(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("拖放对象1"));
}

bool DropTarget::attach(QAbstractScrollArea* list) {
    if (attached_ != nullptr || list == nullptr) return false;
    attached_ = list->viewport();
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
    return true;
}

DropTarget::Offer DropTarget::offer_of(const QMimeData* data) {
    if (data == nullptr) return Offer::Nothing;
    if (data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) return Offer::Files;
    // hasText() would also say yes for bare web addresses.
    for (const QString& format : data->formats())
        if (format.startsWith(QStringLiteral("text/plain"))) return Offer::PlainText;
    return Offer::Nothing;
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != attached_) return false;
    switch (event->type()) {
        case QEvent::DragEnter: {
            auto* enter = static_cast<QDragEnterEvent*>(event);
            offer_ = offer_of(enter->mimeData());
            if (offer_ == Offer::Nothing) {
                enter->ignore();
                return true;
            }
            // Accepted even when the keys give no effect, so that the moves
            // that follow keep asking; they decide the cursor.
            enter->setDropAction(drop_effect(enter->modifiers(), enter->possibleActions()));
            enter->accept();
            return true;
        }
        case QEvent::DragMove: {
            auto* move = static_cast<QDragMoveEvent*>(event);
            const Qt::DropAction effect = drop_effect(move->modifiers(), move->possibleActions());
            if (offer_ == Offer::Nothing || effect == Qt::IgnoreAction) {
                move->ignore();
                return true;
            }
            move->setDropAction(effect);
            move->accept();
            return true;
        }
        case QEvent::DragLeave:
            offer_ = Offer::Nothing;
            return true;
        case QEvent::Drop:
            drop(static_cast<QDropEvent*>(event));
            return true;
        default:
            return false;
    }
}

void DropTarget::drop(QDropEvent* event) {
    const Offer offer = std::exchange(offer_, Offer::Nothing);
    const bool effective =
        drop_effect(event->modifiers(), event->possibleActions()) != Qt::IgnoreAction;
    // The drop is answered as not taken whatever happens: a source told
    // that its files were moved may delete them.
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
    if (offer == Offer::Files && effective)
        Q_EMIT files_dropped(files_text(event->mimeData()->urls()));
}

}  // namespace varentix
