#include "reports/engine/reportengine.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Stands for the page count until the last page is known.
const QChar PageCountMark(0xE000);

bool AtEnd(const tReportDataSet *ds)
{
    return !ds || !ds->Eof || ds->Eof();
}

} // namespace

// A running sum or count of one aggregate at one grouping level. Sums keep
// the kind of what they add: money stays exact in ten-thousandths, whole
// numbers stay whole; a real number among them makes the sum real.
struct tAccumulator {
    Money MoneySum = 0;
    int64_t IntSum = 0;
    double RealSum = 0;
    bool HasMoney = false;
    bool HasReal = false;
    int64_t Count = 0;

    void Add(const tReportValue &v)
    {
        switch (v.Kind()) {
        case tReportValue::MoneyAmount: MoneySum += v.MoneyValue(); HasMoney = true; break;
        case tReportValue::Integer: IntSum += v.IntegerValue(); break;
        case tReportValue::Real: RealSum += v.RealValue(); HasReal = true; break;
        default: break;  // texts ("n/a"), true/false and empty add nothing
        }
    }

    tReportValue Sum() const
    {
        if (HasReal)
            return tReportValue::FromReal(RealSum + MoneyToDouble(MoneySum) + static_cast<double>(IntSum));
        if (HasMoney)
            return tReportValue::FromMoney(MoneySum + IntSum * MoneyScale);
        return tReportValue::FromInteger(IntSum);
    }
};

// One preparation: the page being filled and the position on it.
class tReportEngine::tLayout {
public:
    tLayout(tReportEngine &engine, std::shared_ptr<const tReportTemplate> tmpl)
        : engine_(engine), t_(*tmpl), report_(std::make_shared<tPreparedReport>(std::move(tmpl)))
    {
        const tReportBand *footer = t_.Band(tBandKind::PageFooter);
        footerTop_ = t_.PageSize.height() - t_.Margins.bottom() - (footer ? footer->Height : 0);
        levels_ = t_.GroupLevels();
        // Every sum and count the template prints, each once.
        for (const tReportBand &b : t_.Bands)
            for (const tReportObject &o : b.Objects)
                for (const tTextPart &p : o.Parts)
                    if ((p.Kind == tTextPart::SumPart || p.Kind == tTextPart::CountPart) && AggregateIndex(p) < 0)
                        aggregates_.push_back(&p);
        totals_.assign(static_cast<size_t>(levels_ + 1), std::vector<tAccumulator>(aggregates_.size()));
    }

    // False when stopped.
    bool Run()
    {
        for (const QString &name : t_.DataSetNames())
            if (tReportDataSet *ds = engine_.FindDataSet(name); ds && ds->First)
                ds->First();

        const tReportBand *master = t_.Band(tBandKind::MasterData);
        tReportDataSet *rows = master ? engine_.FindDataSet(master->DataSet) : nullptr;
        if (master && AtEnd(rows))
            return true;  // no rows, no pages

        if (!NewPage())
            return false;
        if (master) {
            std::vector<QString> keys(static_cast<size_t>(levels_ + 1));
            bool first = true;
            while (!AtEnd(rows)) {
                // The outermost group whose condition changed; every group
                // inside it changes with it.
                int changed = levels_ + 1;
                std::vector<QString> now(keys.size());
                for (int level = 1; level <= levels_; ++level) {
                    now[static_cast<size_t>(level)] = Evaluate(t_.GroupHeader(level)->Condition, {});
                    if (changed > levels_ && (first || now[static_cast<size_t>(level)] != keys[static_cast<size_t>(level)]))
                        changed = level;
                }
                if (!first && changed <= levels_ && !CloseGroups(rows, changed))
                    return false;
                if (changed <= levels_) {
                    // Keep the group headers with the first row of the group.
                    double height = Measure(*master);
                    for (int level = changed; level <= levels_; ++level)
                        height += Measure(*t_.GroupHeader(level));
                    if (!Fits(height) && y_ > bodyTop_ + 1e-9 && !NewPage())
                        return false;
                    for (int level = changed; level <= levels_; ++level) {
                        if (!Print(*t_.GroupHeader(level)))
                            return false;
                        keys[static_cast<size_t>(level)] = now[static_cast<size_t>(level)];
                    }
                }
                first = false;
                if (!Print(*master))
                    return false;
                Accumulate();
                if (rows->Next)
                    rows->Next();
                if (engine_.stopRequested_)
                    return false;
            }
            if (!first && levels_ > 0 && !CloseGroups(rows, 1))
                return false;
        }
        if (const tReportBand *summary = t_.Band(tBandKind::Summary); summary && !Print(*summary))
            return false;
        FinishPage();
        ResolvePageCount();
        return true;
    }

    std::shared_ptr<tPreparedReport> Result() { return report_; }

private:
    bool Fits(double height) const { return y_ + height <= footerTop_ + 1e-9; }

    int AggregateIndex(const tTextPart &p) const
    {
        for (size_t i = 0; i < aggregates_.size(); ++i) {
            const tTextPart &a = *aggregates_[i];
            if (a.Kind == p.Kind && a.DataSet.compare(p.DataSet, Qt::CaseInsensitive) == 0 && a.Field == p.Field)
                return static_cast<int>(i);
        }
        return -1;
    }

    // Adds the current row to the totals of the report and of every group.
    void Accumulate()
    {
        for (size_t i = 0; i < aggregates_.size(); ++i) {
            const tTextPart &a = *aggregates_[i];
            tReportValue v;
            if (a.Kind == tTextPart::SumPart)
                if (tReportDataSet *ds = engine_.FindDataSet(a.DataSet); ds && ds->Value)
                    v = ds->Value(a.Field);
            for (auto &level : totals_) {
                ++level[i].Count;
                level[i].Add(v);
            }
        }
    }

    // Prints the footers of the groups from the innermost to level, while
    // the data set stands on the last row of the group (the footers may
    // print its fields), and starts their totals afresh.
    bool CloseGroups(tReportDataSet *rows, int level)
    {
        const bool stepBack = rows && rows->Prior && rows->Next;
        if (stepBack)
            rows->Prior();
        for (int l = levels_; l >= level; --l) {
            if (const tReportBand *footer = t_.GroupFooter(l)) {
                aggregateLevel_ = l;
                const bool ok = Print(*footer);
                aggregateLevel_ = 0;
                if (!ok)
                    return false;
            }
            totals_[static_cast<size_t>(l)].assign(aggregates_.size(), tAccumulator());
        }
        if (stepBack)
            rows->Next();
        return true;
    }

    bool NewPage()
    {
        if (page_)
            FinishPage();
        report_->Pages.emplace_back();
        page_ = &report_->Pages.back();
        y_ = t_.Margins.top();
        const int number = report_->PageCount();
        if (engine_.OnProgress)
            engine_.OnProgress(number);
        if (engine_.stopRequested_)
            return false;
        if (const tReportBand *b = t_.Band(tBandKind::PageHeader))
            Place(*b);
        if (number == 1)
            if (const tReportBand *b = t_.Band(tBandKind::ReportTitle))
                Place(*b);
        if (const tReportBand *b = t_.Band(tBandKind::ColumnHeader))
            Place(*b);
        bodyTop_ = y_;
        return true;
    }

    void FinishPage()
    {
        if (const tReportBand *b = t_.Band(tBandKind::PageFooter)) {
            y_ = footerTop_;
            Place(*b);
        }
    }

    // Places a body band, beginning a new page when it does not fit. A band
    // taller than an empty page is placed anyway (and clipped) rather than
    // asking for pages for ever.
    bool Print(const tReportBand &band)
    {
        if (!Fits(Measure(band)) && y_ > bodyTop_ + 1e-9 && !NewPage())
            return false;
        Place(band);
        return true;
    }

    // The height of a text object as printed: its own, or taller when it
    // grows to hold its text.
    double TextHeight(const tReportObject &o, const QString &text) const
    {
        if (!o.Grow)
            return o.Rect.height();
        return std::max(o.Rect.height(), MeasureTextHeight(o, text));
    }

    // The band's height as printed: a growing text makes its band taller by
    // as much as it grows.
    double Measure(const tReportBand &band)
    {
        double extra = 0;
        for (const tReportObject &o : band.Objects)
            if (o.Kind == tReportObject::TextObject && o.Grow)
                extra = std::max(extra, TextHeight(o, Evaluate(o.Parts, o.Format)) - o.Rect.height());
        return band.Height + extra;
    }

    void Place(const tReportBand &band)
    {
        ++line_;
        const QPointF origin(t_.Margins.left(), y_);
        double extra = 0;
        for (const tReportObject &o : band.Objects) {
            tPreparedItem item;
            item.Object = &o;
            item.Rect = o.Rect.translated(origin);
            item.Band = band.Kind;
            item.Line = line_;
            switch (o.Kind) {
            case tReportObject::TextObject:
                item.Text = Evaluate(o.Parts, o.Format);
                if (o.Grow) {
                    const double h = TextHeight(o, item.Text);
                    item.Rect.setHeight(h);
                    extra = std::max(extra, h - o.Rect.height());
                }
                break;
            case tReportObject::PictureObject: {
                tPictureEvent ev{o, o.DataSet.isEmpty() ? nullptr : engine_.FindDataSet(o.DataSet), o.Picture};
                if (engine_.OnBeforePrint)
                    engine_.OnBeforePrint(ev);
                item.Picture = ev.Picture;
                break;
            }
            case tReportObject::LineObject:
                item.LinePos = o.LinePos.translated(origin);
                break;
            }
            page_->Items.push_back(std::move(item));
        }
        y_ += band.Height + extra;
    }

    QString Evaluate(const std::vector<tTextPart> &parts, const tDisplayFormat &format)
    {
        QString out;
        for (const tTextPart &p : parts) {
            switch (p.Kind) {
            case tTextPart::LiteralPart:
                out += p.Text;
                break;
            case tTextPart::FieldPart:
                if (tReportDataSet *ds = engine_.FindDataSet(p.DataSet); ds && ds->Value)
                    out += FormatReportValue(ds->Value(p.Field), format);
                break;
            case tTextPart::SumPart:
            case tTextPart::CountPart: {
                const int i = AggregateIndex(p);
                if (i < 0)
                    break;
                const tAccumulator &a = totals_[static_cast<size_t>(aggregateLevel_)][static_cast<size_t>(i)];
                out += FormatReportValue(p.Kind == tTextPart::SumPart ? a.Sum() : tReportValue::FromInteger(a.Count),
                                         format);
                break;
            }
            case tTextPart::PageNumberPart:
                out += QString::number(report_->PageCount());
                break;
            case tTextPart::PageCountPart:
                out += PageCountMark;
                hasPageCount_ = true;
                break;
            }
        }
        return out;
    }

    void ResolvePageCount()
    {
        if (!hasPageCount_)
            return;
        const QString count = QString::number(report_->PageCount());
        for (tPreparedPage &page : report_->Pages)
            for (tPreparedItem &item : page.Items)
                if (item.Text.contains(PageCountMark))
                    item.Text.replace(PageCountMark, count);
    }

    tReportEngine &engine_;
    const tReportTemplate &t_;
    std::shared_ptr<tPreparedReport> report_;
    tPreparedPage *page_ = nullptr;
    double y_ = 0;
    double bodyTop_ = 0;
    double footerTop_ = 0;
    int line_ = 0;
    bool hasPageCount_ = false;
    int levels_ = 0;
    // The totals a text shows: 0 the report's, 1.. a group's (group footers).
    int aggregateLevel_ = 0;
    std::vector<const tTextPart *> aggregates_;
    std::vector<std::vector<tAccumulator>> totals_;  // [level][aggregate]
};

void tReportEngine::Clear()
{
    template_.reset();
    prepared_.reset();
}

void tReportEngine::LoadFromFile(const QString &path)
{
    SetTemplate(LoadReportTemplate(path));
}

void tReportEngine::SetTemplate(tReportTemplate tmpl)
{
    template_ = std::make_shared<const tReportTemplate>(std::move(tmpl));
    prepared_.reset();
}

QStringList tReportEngine::DataSetNames() const
{
    return template_ ? template_->DataSetNames() : QStringList();
}

bool tReportEngine::UsesDataSet(const QString &name) const
{
    return DataSetNames().contains(name, Qt::CaseInsensitive);
}

void tReportEngine::AddDataSet(tReportDataSet *dataSet)
{
    if (dataSet && std::find(dataSets_.begin(), dataSets_.end(), dataSet) == dataSets_.end())
        dataSets_.push_back(dataSet);
}

tReportDataSet *tReportEngine::FindDataSet(const QString &name) const
{
    for (tReportDataSet *ds : dataSets_)
        if (ds->UserName.compare(name, Qt::CaseInsensitive) == 0)
            return ds;
    return nullptr;
}

bool tReportEngine::Prepare()
{
    if (!template_)
        throw std::logic_error("no report template is loaded");
    if (preparing_)
        throw std::logic_error("a report is already being prepared");
    prepared_.reset();
    preparing_ = true;
    stopRequested_ = false;
    stopped_ = false;
    struct tReset {
        bool &flag;
        ~tReset() { flag = false; }
    } reset{preparing_};

    tLayout layout(*this, template_);
    if (!layout.Run()) {
        stopped_ = true;
        return false;
    }
    auto result = layout.Result();
    if (result->Pages.empty())
        return false;
    prepared_ = std::move(result);
    return true;
}
