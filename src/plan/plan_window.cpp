#include "plan/plan_window.h"

#include <algorithm>
#include <cmath>

#include "core/entry_rules.h"
#include "core/format.h"
#include "core/numbers.h"
#include "plan/report.h"
#include "tuner/networks.h"

namespace qlx::plan {

namespace {

// One colour per network column, each at least 3:1 against a white plot.
constexpr form::Colour kNetworkColours[] = {0xB00000, 0x0040C0, 0x007A00, 0x7B2FA0, 0x9A5200, 0x404040};

std::string JoinedNames(const std::vector<Band>& bands) {
    std::string t;
    for (const Band& b : bands) t += (t.empty() ? "" : ",") + b.name;
    return t;
}

const TunerWindow::Compared* CellOf(const Point& p, const NetworkKey& key) {
    for (const TunerWindow::Compared& c : p.cells)
        if (KeyOf(c) == key) return &c;
    return nullptr;
}

}  // namespace

PlanWindow::PlanWindow(form::Host& host) : host_(host) {
    lblLine.SetCaption("Line:");
    fraRegion.SetCaption("IARU Region");
    optRegion1.SetCaption("Region &1");
    optRegion2.SetCaption("Region &2");
    optRegion3.SetCaption("Region &3");
    optRegion1.SetToolTip("Europe, Africa, the Middle East and northern Asia");
    optRegion2.SetToolTip("The Americas");
    optRegion3.SetToolTip("Asia and the Pacific");
    for (form::Option* o : {&optRegion1, &optRegion2, &optRegion3}) {
        regions_.Add(*o);
        o->on_click = [this] { MakeNow(); };
    }
    lblBands.SetCaption("Bands:");
    txtBands.SetText(JoinedNames(RegionBands(Region::One, false)));
    txtBands.SetToolTip("Bands by name (160m to 10m, 6m) or FROM-TO in MHz, separated by commas");
    lblPoints.SetCaption("Points per band:");
    txtPoints.SetText(std::to_string(kDefaultPointsPerBand));
    txtPoints.SetToolTip("1: the band's centre; 2 to 21: both edges and evenly between");
    fraAntenna.SetCaption("Antenna");
    optMainZ.SetCaption("The main window's &load");
    optMainZ.SetToolTip("The impedance at the load as the main window has it, the same at every band point");
    optFile.SetCaption("The sweep window's &file");
    optFile.SetToolTip("The analyser's file open in the sweep window; a point outside it is not measured");
    antennas_.Add(optMainZ);
    antennas_.Add(optFile);
    for (form::Option* o : {&optMainZ, &optFile}) o->on_click = [this] { MakeNow(); };
    lblHave.SetCaption("My tuner:");
    txtHave.SetToolTip("A tuner you own, such as tee:C1=10-250pF,L2=0.2-28uH,C3=10-250pF,V=3500,I=10 (lpl, hpl, "
                       "hpl-a, hpl-b, pi or tee; V: capacitors' peak volts, I: coils' RMS amperes); empty: none");
    for (form::TextField* f : {&txtBands, &txtPoints, &txtHave}) f->SetBack(form::kWhite);
    cmdPlan.SetCaption("Make &Plan");
    cmdPlan.SetToolTip("Design every network at every band point");
    cmdPlan.on_click = [this] { MakeNow(); };
    cmdPrint.SetCaption("P&rint");
    cmdPrint.on_click = [this] {
        if (form::ConfirmPrint(host_)) form::PrintOrReport(host_, window);
    };
    cmdClose.SetCaption("&Close");
    cmdClose.on_click = [this] {
        StopScan();
        window.SetVisible(false);
    };
    lblLengths.SetCaption("Feed-line lengths, from:to:step:");
    txtLengths.SetToolTip("The plan made again at each length (in the main window's unit), such as 10:30:0.5");
    txtLengths.SetBack(form::kWhite);
    cmdScan.SetCaption("&Scan Lengths");
    cmdScan.SetToolTip("The recommended network's worst loss at each length, best lengths first");
    cmdScan.on_click = [this] {
        if (scanning_)
            StopScan();
        else
            StartScan();
    };
    for (form::Label* l : {&lblNet0, &lblNet1, &lblNet2, &lblNet3, &lblNet4}) l->SetVisible(false);
    txtHaveResult.SetVisible(false);
    txtScanResult.SetVisible(false);
}

std::string PlanWindow::Picture(double value) const { return Format(value, "#,##0.0#", host_.DecimalMark()); }

void PlanWindow::Open() {
    if (!placed_) {
        // The table beside two charts wants 1280 x 660 pixels at 96 dots per inch.
        form::PlaceLarge(host_, window, 19200.0f, 9900.0f, 0.88f);
        placed_ = true;
    }
    host_.ShowModeless(window);
    MakeNow();
}

std::variant<Inputs, std::string> PlanWindow::ReadInputs() const {
    const PlanSource s = source ? source() : PlanSource{};
    Inputs in;
    in.line = s.line;
    in.user = s.user;
    in.settings = s.settings;
    const Region region = optRegion2.selected() ? Region::Two : optRegion3.selected() ? Region::Three : Region::One;
    auto bands = ReadBands(txtBands.text(), region);
    if (auto* why = std::get_if<std::string>(&bands)) return "Bands: " + *why + ".";
    in.bands = std::get<std::vector<Band>>(std::move(bands));
    const std::string points(TrimBlanks(txtPoints.text()));
    const double n = IsNumberText(points) ? ParseNumber(points) : 0.0;
    if (!(n >= 1 && n <= kMaxPointsPerBand) || n != std::floor(n))
        return "Enter 1 to " + std::to_string(kMaxPointsPerBand) + " points per band.";
    in.points = static_cast<int>(n);
    if (optFile.selected() && s.file)
        in.antenna = *s.file;
    else
        in.antenna = s.load;
    if (!TrimBlanks(txtHave.text()).empty()) {
        auto have = ReadMyTuner(txtHave.text());
        if (auto* why = std::get_if<std::string>(&have)) return "My tuner: " + *why + ".";
        in.have = std::get<MyTuner>(std::move(have));
    }
    return in;
}

void PlanWindow::Refuse(const std::string& text) { host_.ShowMessage(text, kPlanTitle, form::Buttons::Ok); }

void PlanWindow::MakeNow() {
    StopScan();
    const PlanSource s = source ? source() : PlanSource{};
    // The file is the sweep window's: without one open, only the main window's load is there.
    optFile.SetEnabled(s.file.has_value());
    optFile.SetCaption(s.file ? "The sweep window's &file, " + s.file->name : "The sweep window's &file (none open)");
    if (!s.file && optFile.selected()) {
        optMainZ.on_click = nullptr;
        optMainZ.Select();
        optMainZ.on_click = [this] { MakeNow(); };
    }
    auto read = ReadInputs();
    if (auto* why = std::get_if<std::string>(&read)) {
        Refuse(*why);
        return;
    }
    inputs_ = std::get<Inputs>(std::move(read));
    source_ = s;
    plan_ = MakePlan(*inputs_);
    scan_.clear();
    scan_meters_ = inputs_->line.unit_meters;
    txtScanResult.SetVisible(false);
    if (txtLengths.text().empty()) {
        // A first scan around the line's own length: from half to one and a half times it.
        const double l = ParseNumber(s.line.length_text);
        if (l > 0.0)
            txtLengths.SetText(ShortestText(std::round(l * 5.0) / 10.0, host_.DecimalMark()) + ":" +
                               ShortestText(std::round(l * 15.0) / 10.0, host_.DecimalMark()) + ":" +
                               ShortestText(std::max(0.1, std::round(l / 4.0) / 10.0), host_.DecimalMark()));
    }
    ShowPlan();
    if (on_result_changed) on_result_changed();
}

void PlanWindow::ShowPlan() {
    const Plan& p = *plan_;
    const char mark = host_.DecimalMark();
    std::string antenna;
    if (const auto* file = std::get_if<tuner::MeasuredAntenna>(&inputs_->antenna))
        antenna = file->name + (file->at_load ? ", measured at the load" : ", measured at the line input");
    else
        antenna = ImpedanceText(std::get<std::complex<double>>(inputs_->antenna), "0.0##", mark) + " ohms at the load";
    txtLine.SetText(std::string(TrimBlanks(source_->line_text)) + "; antenna " + antenna);
    txtSummary.SetText(p.recommendation ? "Recommended: " + p.recommendation->why : "No network matches every point.");
    // Every point outside the antenna's file: the reason, once.
    if (p.networks.empty() && !p.bands.empty() && !p.bands.front().points.empty())
        txtSummary.SetText("Nothing designed: " + p.bands.front().points.front().not_measured);
    form::Label* lines[] = {&lblNet0, &lblNet1, &lblNet2, &lblNet3, &lblNet4};
    for (std::size_t k = 0; k < std::size(lines); ++k) {
        lines[k]->SetVisible(k < p.networks.size());
        if (k >= p.networks.size()) continue;
        const NetworkSummary& s = p.networks[k];
        std::string t = KeyName(s.key) + ": " + std::to_string(s.matched) + " of " + std::to_string(s.of) + " points";
        for (const Range& r : s.ranges) {
            t += "; " + r.name + " " + Picture(r.min) + "-" + Picture(r.max) + " " + KindUnit(r.kind);
            t += r.kind == tuner::Kind::C ? ", " + Format(r.peak_v, "#,##0", mark) + " V peak"
                                          : ", " + Format(r.rms_i, "0.0#", mark) + " A RMS";
        }
        if (s.matched) t += "; worst loss " + Format(s.worst_loss_pct, "0.0#", mark) + " % at " +
                            Format(s.worst_at_mhz, kFrequencyPicture, mark) + " MHz";
        std::string settings;
        for (const auto& [band, n] : s.settings_per_band)
            if (n > 0) settings += (settings.empty() ? "" : ", ") + band + " " + std::to_string(n);
        if (!settings.empty()) t += "; settings at 2:1: " + settings;
        lines[k]->SetCaption(t);
        lines[k]->SetFore(s.matched == s.of ? form::kWindowText : form::kDarkRed);
        lines[k]->SetStatus(s.matched == s.of ? form::Status::Normal : form::Status::Warning,
                            "Matches not every point: see the greyed cells");
    }
    txtHaveResult.SetVisible(!p.have.empty());
    if (p.have.empty()) return;
    int fits = 0;
    std::string misses;
    for (const HaveFit& h : p.have) {
        if (h.fits()) {
            ++fits;
            continue;
        }
        if (misses.size() > 400) continue;
        misses += "; " + Format(h.f_mhz, kFrequencyPicture, mark) + " MHz: " +
                  (h.beyond.empty() ? h.failure : h.beyond.front());
    }
    txtHaveResult.SetText("My tuner fits at " + std::to_string(fits) + " of " + std::to_string(p.have.size()) +
                          " points" + misses);
}

PlanTable PlanWindow::Table() const {
    PlanTable t;
    if (!plan_) return t;
    const Plan& p = *plan_;
    const char mark = host_.DecimalMark();
    for (const NetworkSummary& s : p.networks) t.columns.push_back(KeyName(s.key));
    const auto design_cell = [mark](const TunerWindow::Compared& c) {
        TableCell cell;
        cell.tip = TunerWindow::ComparedText(c, mark);
        const auto* d = std::get_if<tuner::NetworkDesign>(&c.result);
        if (!d) {
            cell.text = "no match";
            cell.state = CellState::Failed;
            return cell;
        }
        for (const tuner::Element& e : d->elements)
            cell.text += (cell.text.empty() ? "" : ", ") + e.name + " " +
                         Format(e.value, e.kind == tuner::Kind::C ? "#,##0.0" : "0.00", mark) + " " + KindUnit(e.kind);
        cell.text += "; " + Format(LossPercent(*d), "0.0", mark) + " %";
        cell.state = tuner::AllPartsBuyable(*d) ? CellState::Matched : CellState::OutOfRange;
        if (cell.state == CellState::OutOfRange) {
            cell.text = "* " + cell.text;
            cell.tip += "\nA part lies outside 5-5000 pF or 0.1-50 uH.";
        }
        return cell;
    };
    std::size_t have_index = 0;
    for (const BandResult& b : p.bands)
        for (const Point& pt : b.points) {
            TableRow row;
            row.band = b.band.name;
            row.freq = Format(pt.f_mhz, kFrequencyPicture, mark);
            for (std::size_t k = 0; k < p.networks.size(); ++k) {
                TableCell cell;
                const TunerWindow::Compared* c = CellOf(pt, p.networks[k].key);
                if (!pt.not_measured.empty()) {
                    cell = {"not measured", pt.not_measured, CellState::NotMeasured, false};
                } else if (!c) {
                    cell = {"does not apply", "This topology does not apply to the load here.", CellState::Failed, false};
                } else {
                    cell = design_cell(*c);
                    cell.best = pt.best && &pt.cells[*pt.best] == c;
                    if (cell.best) cell.tip = "The least loss with parts to buy here.\n" + cell.tip;
                }
                row.cells.push_back(std::move(cell));
            }
            if (have_index < p.have.size()) {
                const HaveFit& h = p.have[have_index++];
                TableCell cell;
                if (h.fits()) {
                    cell = design_cell(*h.cell);
                    cell.text = "fits: " + cell.text;
                    cell.state = CellState::Matched;
                } else if (!h.beyond.empty()) {
                    cell = design_cell(*h.cell);
                    cell.text = "beyond: " + h.beyond.front();
                    for (const std::string& why : h.beyond) cell.tip += "\n" + why;
                    cell.state = CellState::OutOfRange;
                } else {
                    const bool measured = pt.not_measured.empty();
                    cell = {measured ? "no match" : "not measured", h.failure,
                            measured ? CellState::Failed : CellState::NotMeasured, false};
                }
                row.have = std::move(cell);
            }
            t.rows.push_back(std::move(row));
        }
    return t;
}

void PlanWindow::ClickCell(std::size_t row, std::size_t column) {
    if (!plan_ || column >= plan_->networks.size()) return;
    for (const BandResult& b : plan_->bands) {
        if (row >= b.points.size()) {
            row -= b.points.size();
            continue;
        }
        const Point& pt = b.points[row];
        const TunerWindow::Compared* c = CellOf(pt, plan_->networks[column].key);
        if (!c || !pt.not_measured.empty()) return;
        auto line = LineAtPoint(*inputs_, pt.f_mhz);
        if (const auto* l = std::get_if<PointLine>(&line); l && on_draw_cell) on_draw_cell({*c, *l});
        return;
    }
}

PlanChart PlanWindow::LossChart() const {
    PlanChart chart{"Tuner loss against frequency", "Frequency, MHz", "Tuner loss, %", true, {}};
    if (!plan_) return chart;
    const char mark = host_.DecimalMark();
    for (std::size_t k = 0; k < plan_->networks.size(); ++k) {
        const NetworkKey& key = plan_->networks[k].key;
        PlanCurve curve{KeyShortName(key), kNetworkColours[k % std::size(kNetworkColours)], {}, {}};
        for (const BandResult& b : plan_->bands)
            for (const Point& pt : b.points) {
                const TunerWindow::Compared* c = CellOf(pt, key);
                const auto* d = c ? std::get_if<tuner::NetworkDesign>(&c->result) : nullptr;
                if (!d) continue;
                curve.data.emplace_back(pt.f_mhz, LossPercent(*d));
                curve.tips.push_back(Format(pt.f_mhz, kFrequencyPicture, mark) + " MHz   " + curve.name + ": " +
                                     Format(LossPercent(*d), "0.0#", mark) + " %");
            }
        chart.curves.push_back(std::move(curve));
    }
    return chart;
}

PlanChart PlanWindow::LengthChart() const {
    const char* unit = scan_meters_ ? "m" : "ft";
    PlanChart chart{"Worst loss against the feed line's length", std::string("Feed-line length, ") + unit,
                    "Worst loss, %", false, {}};
    std::vector<LengthResult> by_length = scan_;
    std::sort(by_length.begin(), by_length.end(),
              [](const LengthResult& a, const LengthResult& b) { return a.length < b.length; });
    PlanCurve curve{"The recommended network's worst loss", kNetworkColours[0], {}, {}};
    const char mark = host_.DecimalMark();
    for (const LengthResult& r : by_length) {
        if (!r.recommendation) continue;
        curve.data.emplace_back(r.length, r.worst_loss_pct);
        curve.tips.push_back(Format(r.length, "###0.0##", mark) + " " + unit + "   " + KeyName(r.recommendation->key) +
                             ": " + Format(r.worst_loss_pct, "0.0#", mark) + " %");
    }
    chart.curves.push_back(std::move(curve));
    return chart;
}

std::string PlanWindow::Csv() const { return plan_ ? PlanCsv(*plan_) : std::string(); }
std::string PlanWindow::Json() const {
    if (!plan_) return {};
    return PlanJson(*plan_, scan_.empty() ? nullptr : &scan_);
}

// ---- the length scan ----

bool PlanWindow::StartScan() {
    auto read = ReadInputs();
    if (auto* why = std::get_if<std::string>(&read)) {
        Refuse(*why);
        return false;
    }
    Inputs in = std::get<Inputs>(std::move(read));
    auto lengths = ReadLengths(txtLengths.text());
    if (auto* why = std::get_if<std::string>(&lengths)) {
        Refuse("Lengths: " + *why + ".");
        return false;
    }
    if (const auto* file = std::get_if<tuner::MeasuredAntenna>(&in.antenna); file && !file->at_load) {
        Refuse("A length scan needs the antenna at the load: a file measured at the line input already holds "
               "this line's length.");
        return false;
    }
    const Lengths l = std::get<Lengths>(lengths);
    if (const std::string why = ScanTooLarge(in, l); !why.empty()) {
        Refuse("Lengths: " + why + ".");
        return false;
    }
    in.have.reset();
    scan_inputs_ = std::move(in);
    scan_lengths_ = l;
    scan_meters_ = scan_inputs_.line.unit_meters;
    scan_done_ = 0;
    scan_count_ = LengthCount(l);
    scan_.clear();
    scanning_ = true;
    cmdScan.SetCaption("&Stop Scan");
    txtScanResult.SetVisible(true);
    txtScanResult.SetText("Scanning " + std::to_string(scan_count_) + " lengths...");
    if (on_started)
        on_started();
    else
        while (!StepScan(scan_count_)) {
        }
    return true;
}

bool PlanWindow::StepScan(int lengths) {
    if (!scanning_) return true;
    // Closing the window (its Close, Escape, its close box) ends the scan.
    if (!window.visible()) {
        StopScan();
        return true;
    }
    for (int k = 0; k < lengths && scan_done_ < scan_count_; ++k, ++scan_done_) {
        const double at = LengthAt(scan_lengths_, scan_done_);
        std::vector<LengthResult> one = ScanLengths(scan_inputs_, {at, at, scan_lengths_.step});
        scan_.push_back(std::move(one.front()));
    }
    if (scan_done_ < scan_count_) return false;
    scanning_ = false;
    cmdScan.SetCaption("&Scan Lengths");
    SortBestFirst(scan_);
    ShowScan();
    if (on_result_changed) on_result_changed();
    return true;
}

void PlanWindow::StopScan() {
    if (!scanning_) return;
    scanning_ = false;
    cmdScan.SetCaption("&Scan Lengths");
    SortBestFirst(scan_);
    ShowScan();
    txtScanResult.SetText("Stopped after " + std::to_string(scan_done_) + " of " + std::to_string(scan_count_) +
                          " lengths. " + txtScanResult.text());
    if (on_result_changed) on_result_changed();
}

double PlanWindow::progress() const {
    return scan_count_ ? static_cast<double>(scan_done_) / scan_count_ : 0.0;
}

void PlanWindow::ShowScan() {
    const char mark = host_.DecimalMark();
    const char* unit = scan_meters_ ? " m" : " ft";
    std::string best;
    int shown = 0, unmatched = 0;
    for (const LengthResult& r : scan_) {
        if (!r.unmatched_mhz.empty()) ++unmatched;
        if (!r.recommendation || shown >= 5) continue;
        best += (best.empty() ? "" : ", ") + Format(r.length, "###0.0##", mark) + unit + " (" +
                KeyName(r.recommendation->key) + ", " + Format(r.worst_loss_pct, "0.0#", mark) + " %)";
        ++shown;
    }
    std::string t = best.empty() ? "No length lets one network match every point." : "Best lengths: " + best + ".";
    if (unmatched) t += " At " + std::to_string(unmatched) + " lengths some point matches no network.";
    txtScanResult.SetVisible(true);
    txtScanResult.SetText(t);
}

}  // namespace qlx::plan
