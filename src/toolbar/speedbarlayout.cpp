#include "speedbarlayout.h"

#include "espeedbarerror.h"
#include "settings/settingsstore.h"

namespace {

bool horizontal(SpeedbarLayout::Align align)
{
    return align == SpeedbarLayout::alTop || align == SpeedbarLayout::alBottom;
}

bool vertical(SpeedbarLayout::Align align)
{
    return align == SpeedbarLayout::alLeft || align == SpeedbarLayout::alRight;
}

int numberOr(const QString &text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

SpeedbarLayout::Item *SpeedbarLayout::find(const QString &name)
{
    for (Item &item : items) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

void SpeedbarLayout::setAlign(int value)
{
    if (value < alNone || value > alClient)
        throw AppError(QStringLiteral("Invalid property value"));
    if (value == alNone || value == alClient)
        throw ESpeedbarError(
                QStringLiteral("Cannot set this property value while Position is bpAuto"));
    align = Align(value);
}

SettingsBaseline::Values SpeedbarLayout::values() const
{
    SettingsBaseline::Values values{{QStringLiteral("Position"), QString::number(align)}};
    if (horizontal(align))
        values.append({QStringLiteral("Width"), QString::number(height)});
    else if (vertical(align))
        values.append({QStringLiteral("Width"), QString::number(width)});
    values.append({QStringLiteral("Version"), QString::number(version)});
    values.append({QStringLiteral("BtnWidth"), QString::number(btnWidth)});
    values.append({QStringLiteral("BtnHeight"), QString::number(btnHeight)});
    int count = 0;
    for (const Item &item : items) {
        if (item.visible)
            values.append({QStringLiteral("Button%1").arg(++count),
                           QStringLiteral("%1,%2,%3").arg(item.name).arg(item.left).arg(item.top)});
    }
    values.append({QStringLiteral("Count"), QString::number(count)});
    return values;
}

void SpeedbarLayout::save(SettingsStore &store, const QString &sectionKey,
                          SettingsBaseline &baseline) const
{
    const SettingsBaseline::Values all = values();
    SettingsBaseline::Values layout = all;
    layout.removeIf([](const auto &value) { return value.first == QLatin1String("Width"); });
    if (baseline.holdsAll(sectionKey, layout)) {
        // Unchanged: a section that is there is left as it is, but for a width brought within
        // range; one that is not is written, without taking the place of values another
        // process has written meanwhile.
        const bool stored = store.keyExists(sectionKey);
        for (const auto &[name, text] : all) {
            if (!stored)
                store.writeStringIfAbsent(sectionKey, name, text);
            else if (name == QLatin1String("Width"))
                baseline.write(store, sectionKey, name, text);
        }
        return;
    }
    store.eraseKey(sectionKey);
    for (const auto &[name, text] : all) {
        store.writeString(sectionKey, name, text);
        baseline.note(sectionKey, name, text);
    }
}

bool SpeedbarLayout::restore(const SettingsStore &store, const QString &sectionKey)
{
    const Align before = align;
    if (store.readInteger(sectionKey, QStringLiteral("Version"), version) < version)
        return false;
    if (options & sbAllowDrag) {
        try {
            setAlign(store.readInteger(sectionKey, QStringLiteral("Position"), alTop));
        } catch (const AppError &) {
            align = alTop;
        }
    }
    if ((options & sbAllowResize) && (horizontal(align) || vertical(align))) {
        storedWidth = store.stringValue(sectionKey, QStringLiteral("Width"));
        int &thickness = horizontal(align) ? height : width;
        thickness = SettingsStore::toInteger(storedWidth.value_or(QString()), thickness);
    }
    const bool alignChanged = align != before;
    if (btnWidth < store.readInteger(sectionKey, QStringLiteral("BtnWidth"), btnWidth)
        || btnHeight < store.readInteger(sectionKey, QStringLiteral("BtnHeight"), btnHeight))
        return alignChanged;
    const int count = store.readInteger(sectionKey, QStringLiteral("Count"), 0);
    if (count <= 0)
        return alignChanged;
    for (Item &item : items)
        item.visible = false;
    for (int n = 1; n <= count; ++n) {
        const QStringList fields =
                store.readString(sectionKey, QStringLiteral("Button%1").arg(n), QString())
                        .split(QLatin1Char(','));
        Item *item = fields.first().isEmpty() ? nullptr : find(fields.first());
        if (!item)
            continue;
        item->left = std::max(numberOr(fields.value(1), item->left), btnOffsetHorz);
        item->top = std::max(numberOr(fields.value(2), item->top), btnOffsetVert);
        item->visible = true;
    }
    return alignChanged;
}
