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

// One preparation: the page being filled and the position on it.
class tReportEngine::tLayout {
public:
    tLayout(tReportEngine &engine, std::shared_ptr<const tReportTemplate> tmpl)
        : engine_(engine), t_(*tmpl), report_(std::make_shared<tPreparedReport>(std::move(tmpl)))
    {
        const tReportBand *footer = t_.Band(tBandKind::PageFooter);
        footerTop_ = t_.PageSize.height() - t_.Margins.bottom() - (footer ? footer->Height : 0);
    }

    // False when stopped.
    bool Run()
    {
        for (const QString &name : t_.DataSetNames())
            if (tReportDataSet *ds = engine_.FindDataSet(name); ds && ds->First)
                ds->First();

        const tReportBand *master = t_.Band(tBandKind::MasterData);
        const tReportBand *group = t_.Band(tBandKind::GroupHeader);
        tReportDataSet *rows = master ? engine_.FindDataSet(master->DataSet) : nullptr;
        if (master && AtEnd(rows))
            return true;  // no rows, no pages

        if (!NewPage())
            return false;
        if (master) {
            QString lastGroup;
            bool first = true;
            while (!AtEnd(rows)) {
                if (group) {
                    const QString key = Evaluate(group->Condition, {});
                    if (first || key != lastGroup) {
                        // Keep a group header with its first row.
                        if (!Fits(group->Height + master->Height) && !NewPage())
                            return false;
                        if (!Print(*group))
                            return false;
                        lastGroup = key;
                    }
                }
                first = false;
                if (!Print(*master))
                    return false;
                if (rows->Next)
                    rows->Next();
                if (engine_.stopRequested_)
                    return false;
            }
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
        if (!Fits(band.Height) && y_ > bodyTop_ + 1e-9 && !NewPage())
            return false;
        Place(band);
        return true;
    }

    void Place(const tReportBand &band)
    {
        ++line_;
        const QPointF origin(t_.Margins.left(), y_);
        for (const tReportObject &o : band.Objects) {
            tPreparedItem item;
            item.Object = &o;
            item.Rect = o.Rect.translated(origin);
            item.Band = band.Kind;
            item.Line = line_;
            switch (o.Kind) {
            case tReportObject::TextObject:
                item.Text = Evaluate(o.Parts, o.Format);
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
        y_ += band.Height;
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
