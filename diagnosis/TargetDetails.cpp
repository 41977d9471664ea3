#include "diagnosis/TargetDetails.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeWidget>
#include <array>
#include <bitset>

#include "ais/AisDecoder.h"
#include "ais/DecodedFields.h"
#include "ais/StationMessages.h"

namespace navoro {

namespace {

// A decoded value as text: integers as stored, floats to their precision,
// texts without the trailing '@' and blank padding.
QString ValueText(const DecodedField& f) {
    if (f.IsText()) {
        std::string_view text = f.Text;
        while (!text.empty() && (text.back() == '@' || text.back() == ' '))
            text.remove_suffix(1);
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    if (f.IsFloat()) return QString::number(static_cast<double>(f.Float), 'g', 7);
    return QString::number(f.Integer);
}

}  // namespace

TargetDetails::TargetDetails(QWidget* parent, const Codec& codec, const MessageTable& messages)
    : codec_(codec), messages_(messages), tree_(new QTreeWidget(parent)) {
    tree_->setObjectName(QStringLiteral("TreeTargetDetails"));
    tree_->setColumnCount(2);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(true);
    tree_->setMinimumHeight(120);
    tree_->hide();
}

QString TargetDetails::Caption(MessageId id, const char* fallback) const {
    const std::string& text = messages_.Text(id);
    return text.empty() ? QString::fromUtf8(fallback) : QString::fromStdString(text);
}

void TargetDetails::ShowStation(int index) {
    if (index < 0 || index >= TargetTable::kCapacity) return;
    index_ = index;
    mmsi_ = codec_.Targets.Entry(index).Mmsi;
    tree_->clear();
    tree_->show();
    // A pane squeezed by its splitter gets half of it.
    if (auto* splitter = qobject_cast<QSplitter*>(tree_->parentWidget())) {
        QList<int> sizes = splitter->sizes();
        const int at = splitter->indexOf(tree_);
        int total = 0;
        for (int size : sizes)
            total += size;
        if (at >= 0 && sizes[at] < total / 3) {
            for (int& size : sizes)
                size = total / static_cast<int>(sizes.size());
            splitter->setSizes(sizes);
        }
    }
    Refresh();
}

void TargetDetails::Refresh() {
    if (index_ < 0 || !tree_->isVisible()) return;
    tree_->setHeaderLabels({Caption(MessageId::TargetDetailsField, "Field"),
                            Caption(MessageId::TargetDetailsValue, "Value")});
    const int scroll = tree_->verticalScrollBar()->value();
    // Kinds the user has folded stay folded.
    std::bitset<128> folded;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = tree_->topLevelItem(i);
        const int kind = item->data(0, Qt::UserRole).toInt();
        if (kind > 0 && kind < 128 && !item->isExpanded())
            folded.set(static_cast<std::size_t>(kind));
    }
    tree_->setUpdatesEnabled(false);
    tree_->clear();

    const auto line = [this](const QString& text) {
        auto* item = new QTreeWidgetItem(tree_, {text});
        item->setFirstColumnSpanned(true);
        return item;
    };
    if (codec_.Targets.Entry(index_).Mmsi != mmsi_) {
        line(Caption(MessageId::TargetDetailsRecycled,
                     "MMSI %1 is no longer in the target table: its entry now holds another "
                     "station.")
                 .arg(mmsi_));
    } else if (const StationMessages::Station* station = codec_.Messages.Find(index_, mmsi_)) {
        // The kinds in message order (an insertion into at most eight).
        std::array<const StationMessages::Message*, StationMessages::kKindsPerStation> held{};
        int count = 0;
        for (const auto& m : station->Messages) {
            if (m.Kind == 0) continue;
            int at = count++;
            for (; at > 0 && held[static_cast<std::size_t>(at - 1)]->Kind > m.Kind; --at)
                held[static_cast<std::size_t>(at)] = held[static_cast<std::size_t>(at - 1)];
            held[static_cast<std::size_t>(at)] = &m;
        }
        for (int i = 0; i < count; ++i) {
            const StationMessages::Message& m = *held[static_cast<std::size_t>(i)];
            QString title = QStringLiteral("%1 %2 \u2014 %3")
                                .arg(Caption(MessageId::TargetDetailsMessage, "Message"))
                                .arg(m.Kind / 4)
                                .arg(QString::fromUtf8(StationMessages::KindTitle(m.Kind)));
            if (m.Truncated != 0)
                title += QStringLiteral(" (%1)").arg(
                    Caption(MessageId::TargetDetailsTruncated, "first %1 of %2 bits")
                        .arg(m.BitCount)
                        .arg(m.ReceivedBitCount));
            QTreeWidgetItem* kind = line(title);
            DecodedRecord record{};
            DecodeMessage(StationMessages::BitsOf(m), record);
            ForEachDecodedField(record, [&](const DecodedField& f) {
                new QTreeWidgetItem(
                    kind,
                    {QString::fromLatin1(f.Name.data(), static_cast<qsizetype>(f.Name.size())),
                     ValueText(f)});
            });
            kind->setData(0, Qt::UserRole, m.Kind);
            kind->setExpanded(!folded.test(m.Kind));
        }
    } else {
        line(Caption(MessageId::TargetDetailsNone, "No message of MMSI %1 is held.").arg(mmsi_));
    }
    tree_->setUpdatesEnabled(true);
    tree_->verticalScrollBar()->setValue(scroll);
}

}  // namespace navoro
