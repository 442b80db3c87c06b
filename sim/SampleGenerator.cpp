#include "SampleGenerator.h"

#include "Measurement.h"

#include <algorithm>
#include <cmath>

using Colorimetry::Spectrum;

namespace {

// Reflectance shapes of the products the simulated plant makes ----------------

double rise(double l, double edge, double width) { return 1.0 / (1.0 + std::exp(-(l - edge) / width)); }
double bump(double l, double mean, double sigma)
{
    const double t = (l - mean) / sigma;
    return std::exp(-0.5 * t * t);
}

struct Product {
    const char* name;
    double (*shape)(double wavelength);  // % reflectance
    int colourIndex;  // first view's colour index (setup numbering)
    int illObs;       // first view's illuminant/observer
};

// View colour indices in the setup numbering used below.
constexpr int kY = 1, kYIE = 3, kWIE = 4, kStrength = 9, kSCAA = 12, kGreyScale = 13, kGreyStain = 14,
              kDeltaE = 15, kDeltaECMC = 16, kHunterDeltaE = 17, kDeltaChroma = 18, kHunterDeltaChroma = 19,
              kShadeNumber = 20, kMetamerism = 21;

const Product kProducts[] = {
    {"RED ENAMEL", [](double l) { return 4.5 + 75.5 * rise(l, 605, 11); }, kDeltaE, 13},
    {"SIGNAL YELLOW", [](double l) { return 7.0 + 78.0 * rise(l, 500, 9); }, kDeltaE, 13},
    {"OCEAN BLUE", [](double l) { return 4.0 + 42.0 * bump(l, 455, 35) + 10.0 * rise(l, 680, 10); }, kDeltaE, 13},
    {"LEAF GREEN", [](double l) { return 5.0 + 30.0 * bump(l, 530, 32); }, kDeltaECMC, 13},
    {"PAPER WHITE", [](double l) { return 87.0 + 0.01 * (l - 550) + 14.0 * bump(l, 440, 18); }, kWIE, 4},
    {"BLUE TINT", [](double l) { return 88.0 - 48.0 * bump(l, 610, 45); }, kStrength, 13},
    // The batch's shift moves the curve's foot below 400 nm, where a
    // fractional power of the negative distance would be NaN: the curve is
    // flat at its foot there.
    {"COFFEE ROAST", [](double l) { return 3.0 + 22.0 * std::pow(std::max(0.0, l - 400) / 300, 2.2); }, kSCAA, 13},
    {"NEUTRAL GREY", [](double l) { return 42.0 + 0.6 * std::sin(l / 40); }, kDeltaE, 13},
    {"ORANGE PEEL", [](double l) { return 5.0 + 80.0 * rise(l, 575, 10); }, kDeltaE, 11},
    {"CARBON BLACK", [](double l) { return 2.2 + 0.003 * (l - 400); }, kY, 13},
    {"VIOLET", [](double l) { return 6.0 + 25.0 * bump(l, 410, 30) + 35.0 * rise(l, 650, 15); }, kDeltaECMC, 13},
    {"CREAM", [](double l) { return 60.0 + 25.0 * rise(l, 470, 20); }, kYIE, 4},
    {"SKY BLUE", [](double l) { return 30.0 + 40.0 * bump(l, 470, 50); }, kDeltaE, 13},
    {"BRICK RED", [](double l) { return 8.0 + 30.0 * rise(l, 590, 20); }, kHunterDeltaE, 13},
    {"OLIVE", [](double l) { return 6.0 + 12.0 * bump(l, 560, 50); }, kDeltaChroma, 13},
    {"MAGENTA", [](double l) { return 10.0 + 50.0 * bump(l, 420, 30) + 60.0 * rise(l, 620, 15); }, kDeltaE, 13},
    {"MINT", [](double l) { return 35.0 + 40.0 * bump(l, 510, 45); }, kDeltaECMC, 13},
    {"SAND", [](double l) { return 25.0 + 35.0 * rise(l, 520, 35); }, kGreyScale, 13},
};
constexpr int kProductCount = static_cast<int>(std::size(kProducts));
constexpr int kRedEnamel = 0, kSignalYellow = 1, kOceanBlue = 2, kLeafGreen = 3, kPaperWhite = 4, kBlueTint = 5,
              kCoffee = 6, kGrey = 7;

Spectrum spectrumOf(const Product& product, SimRandom& random)
{
    const double shift = random.uniform(-4.0, 4.0);
    const double strength = random.uniform(0.96, 1.04);
    Spectrum s{};
    for (int i = 0; i < Colorimetry::SpectrumPoints; ++i) {
        const double value = product.shape(Colorimetry::Wavelength(i) + shift) * strength;
        s[i] = static_cast<float>(std::round(std::clamp(value, 0.2, 130.0) * 1000.0) / 1000.0);
    }
    return s;
}

// Setups ---------------------------------------------------------------------

SimView makeView(int index, bool enabled, int displayType, int illObs, int scale, int colourIndex, SimRandom& random)
{
    SimView v;
    v.index = index;
    v.enabled = enabled;
    v.displayType = displayType;
    v.illObs = illObs;
    v.scale = scale;
    v.colourIndex = colourIndex;
    v.shadeBlocks = random.chance(0.5) ? 3 : 5;
    v.cf = 1.0f;
    v.lc = random.chance(0.8) ? 2.0f : 1.0f;
    return v;
}

// Lower tolerances are magnitudes, as the tolerances editor takes them: a
// difference passes from -minus to +plus.
void tolerancesFor(SimSetup& s, int colourIndex)
{
    s.scalePlus = {1.0f, 0.8f, 0.8f};
    s.scaleMinus = {1.0f, 0.8f, 0.8f};
    switch (colourIndex) {
    case kStrength: s.indexPlus = 5.0f; s.indexMinus = 5.0f; break;
    case kWIE: case kYIE: s.indexPlus = 3.0f; s.indexMinus = 3.0f; break;
    case kSCAA: s.indexPlus = 4.0f; s.indexMinus = 4.0f; break;
    case kGreyScale: s.indexPlus = 0.0f; s.indexMinus = 1.0f; break;  // a grade may only fall, by one
    default: s.indexPlus = 1.0f; s.indexMinus = 1.0f; break;
    }
}

SimSetup makeSetup(const QByteArray& name, const Product& product, bool inches, SimRandom& random)
{
    SimSetup s;
    s.name = name.left(15);
    s.standardType = random.integer(0, 3);
    s.searchable = random.chance(0.5);
    s.readMode = random.integer(0, 1);
    s.reportInterval = 5 * random.integer(0, 12);

    // Distances from the sensor, whole numbers of the instrument's unit.
    int base, minimum, maximum;
    if (inches) {
        base = random.integer(4, 6);
        minimum = random.integer(1, base - 2);
        maximum = random.integer(minimum + 1, base);
    } else {
        base = 5 * random.integer(20, 30);
        minimum = 5 * random.integer(4, base / 5 - 8);
        maximum = std::min(base, minimum + 5 * random.integer(4, 12));
    }
    s.baseDistance = static_cast<float>(base);
    s.baseMinusMax = static_cast<float>(base - maximum);
    s.baseMinusMin = static_cast<float>(base - minimum);
    s.heightTrigger = random.chance(0.3);
    s.slope = random.chance(0.7) ? 1.0f : static_cast<float>(std::round(random.uniform(0.85, 1.15) * 1000) / 1000);
    s.offset = random.chance(0.7) ? 0.0f : static_cast<float>(std::round(random.uniform(-5, 5) * 100) / 100);
    s.spectrum = spectrumOf(product, random);

    const int ill = product.illObs;
    const bool tenDegree = ill >= 9;
    auto pair = [tenDegree](int illuminant) { return illuminant + (tenDegree ? 9 : 0); };
    s.views.push_back(makeView(0, true, 0, ill, random.chance(0.8) ? 1 : 2, product.colourIndex, random));
    s.views.push_back(makeView(1, true, 1, ill, random.chance(0.5) ? 6 : 1, kDeltaECMC, random));
    s.views.push_back(makeView(2, true, 2, ill, 4, kY, random));
    s.views.push_back(makeView(3, random.chance(0.5), 4, pair(0), 1, kMetamerism, random));
    s.views.push_back(makeView(4, random.chance(0.5), 3, pair(6), 5, kHunterDeltaE, random));
    s.views.push_back(makeView(5, random.chance(0.5), 5, pair(2), 3, kHunterDeltaChroma, random));
    s.views.push_back(makeView(6, random.chance(0.5), 6, pair(8), 2, kDeltaChroma, random));
    const int lastIndex = random.chance(0.5) ? kShadeNumber : kGreyStain;
    s.views.push_back(makeView(7, random.chance(0.5), 0, pair(1), 1, lastIndex, random));

    const Colorimetry::Triple target = Colorimetry::Tristimulus(s.spectrum, Colorimetry::ConditionsOfCode(ill));
    const double readError = s.standardType == 3 ? 0.02 : 0.003;  // a hitch standard reads off its target
    for (int k = 0; k < 3; ++k) {
        s.target[k] = static_cast<float>(std::round(target[k] * 10000) / 10000);
        s.read[k] = static_cast<float>(std::round(target[k] * (1.0 + random.noise(readError)) * 10000) / 10000);
        s.trackPlus[k] = 0.5f;
        s.trackMinus[k] = -0.5f;
    }
    tolerancesFor(s, product.colourIndex);
    return s;
}

QByteArray numberedName(const Product& product, int number)
{
    const QByteArray name = QByteArray(product.name) + ' ' + QByteArray::number(number);
    return name.size() <= 15 ? name : QByteArray(product.name);
}

void makeSetups(SimContent& content, bool inches, SimRandom& random)
{
    for (SimSetup& s : content.setups) s = BlankSetup();
    struct Fixed {
        int slot;
        const char* name;
        int product;
    };
    // Always present: the runs below and the tests of the utility rely on them.
    const Fixed fixed[] = {{0, "RED ENAMEL 12", kRedEnamel},   {1, "SIGNAL YELLOW", kSignalYellow},
                           {2, "OCEAN BLUE 3", kOceanBlue},    {4, "PAPER WHITE", kPaperWhite},
                           {5, "BLUE TINT 2", kBlueTint},      {6, "COFFEE ROAST 5", kCoffee},
                           {7, "LEAF GREEN", kLeafGreen},      {249, "NEUTRAL GREY 9", kGrey}};
    for (const Fixed& f : fixed) content.setups[f.slot] = makeSetup(f.name, kProducts[f.product], inches, random);
    // Slot 3 stays empty; the rest of the first forty mostly hold products.
    for (int slot = 8; slot < 40; ++slot) {
        if (random.chance(0.15)) continue;
        const Product& p = kProducts[random.integer(0, kProductCount - 1)];
        content.setups[slot] = makeSetup(numberedName(p, random.integer(1, 24)), p, inches, random);
    }
    for (int i = 0; i < 8; ++i) {
        const int slot = random.integer(40, 247);
        const Product& p = kProducts[random.integer(0, kProductCount - 1)];
        content.setups[slot] = makeSetup(numberedName(p, random.integer(1, 24)), p, inches, random);
    }
}

// Readings -------------------------------------------------------------------

Spectrum standardSpectrum(const SimSetup& setup)
{
    Spectrum s = setup.spectrum;
    if (std::all_of(s.begin(), s.end(), [](float v) { return v == 0.0f; })) s.fill(50.0f);
    return s;
}

Spectrum drift(const Spectrum& standard, bool isStandard, SimRandom& random)
{
    const double level = random.noise(isStandard ? 0.002 : 0.015);
    const double tilt = isStandard ? 0.0 : random.noise(1.0);
    Spectrum s{};
    for (int i = 0; i < Colorimetry::SpectrumPoints; ++i) {
        const double base = standard[i];
        const double value = base * (1.0 + level) + base * 0.02 * tilt * (i - 15) / 15.0 + random.noise(isStandard ? 0.02 : 0.05);
        s[i] = static_cast<float>(std::round(std::max(0.05, value) * 1000.0) / 1000.0);
    }
    return s;
}

float readingOf(const SimSetup& s, bool inches, bool height, SimRandom& random)
{
    double low = s.minDistance(), high = s.maxDistance();
    if (low > high) std::swap(low, high);
    if (high <= 0) {
        low = inches ? 1.0 : 25.0;
        high = inches ? 5.0 : 125.0;
    }
    const double distance = random.uniform(low, high);
    const double base = s.baseDistance > 0 ? s.baseDistance : high;
    const double value = height ? base - distance : distance;
    const double step = inches ? 100.0 : 10.0;
    return static_cast<float>(std::round(value * step) / step);
}

QByteArray sampleIdFor(SimRandom& random)
{
    switch (random.integer(0, 5)) {
    case 0: return "LOT " + QByteArray::number(random.integer(4000, 9999)) + '-' + QByteArray::number(random.integer(10, 40));
    case 1: return "BATCH " + QByteArray::number(random.integer(10, 999)) + '/' + QByteArray::number(random.integer(1, 9));
    case 2: return "ROLL " + QByteArray::number(random.integer(1, 480));
    case 3: return "PANEL " + QByteArray::number(random.integer(1, 60)) + char('A' + random.integer(0, 5));
    case 4: return "DRUM " + QByteArray::number(random.integer(1, 24));
    default: return {};  // readings in time mode often carry no identification
    }
}

struct Timeline {
    int32_t time = 0;
    float temperature = 31.0f;
};

}  // namespace

SimDatalogRecord MakeReading(const ReadingRequest& q, SimRandom& random)
{
    const SimSetup& s = *q.setup;
    SimView fallback;
    fallback.index = q.view;
    fallback.enabled = true;
    fallback.illObs = 13;
    fallback.scale = 1;
    const SimView* found = s.view(q.view);
    const SimView& v = found ? *found : fallback;

    SimDatalogRecord r;
    r.product = q.product;
    r.sampleId = q.sampleId;
    r.setup = q.setupIndex;
    r.standardType = s.standardType;
    r.viewType = v.displayType;
    r.run = q.run;
    r.sequence = q.sequence;
    r.standard = q.standard;
    r.time = q.time;
    r.illObs = v.illObs;
    r.view = q.view;
    r.scale = v.scale;
    r.index = Measurement::DatalogIndexCode(v.colourIndex);
    r.readMode = s.readMode;
    r.height = q.runConfigVariant == 2;
    r.millimetres = !q.inches;
    r.reading = readingOf(s, q.inches, r.height, random);
    r.spectrum = q.sample ? *q.sample : drift(standardSpectrum(s), q.standard, random);
    r.temperature = q.temperature;
    Measurement::Evaluate(r, s, v);
    return r;
}

namespace {

class DatalogBuilder {
public:
    DatalogBuilder(SimContent& content, const GenerationParameters& p, SimRandom& random)
        : content_(content), p_(p), random_(random)
    {
    }

    bool full() const { return static_cast<int>(content_.datalog.size()) >= p_.datalogSize; }

    // Starts a run: its standard reading first.
    void startRun(int setup, int view, const QByteArray& product, int32_t start)
    {
        setup_ = setup;
        view_ = view;
        product_ = product;
        clock_.time = std::max(start, clock_.time + 60);
        ++run_;
        sequence_ = 0;
        add("STD", true, nullptr);
    }

    SimDatalogRecord* add(const QByteArray& sampleId, bool standard, const Spectrum* sample)
    {
        if (full()) return nullptr;
        ReadingRequest q;
        q.setup = &content_.setups[setup_];
        q.setupIndex = setup_;
        q.view = view_;
        q.sample = sample;
        q.product = product_;
        q.sampleId = sampleId;
        q.run = run_;
        q.sequence = sequence_++;
        q.standard = standard;
        q.time = clock_.time;
        q.inches = p_.inches;
        q.runConfigVariant = p_.runConfigVariant;
        q.temperature = static_cast<float>(std::round(clock_.temperature * 1000.0) / 1000.0);
        content_.datalog.push_back(MakeReading(q, random_));
        // The next reading: the setup's report interval in time mode, the
        // operator's pace in piece mode; the lamp warms the head a little.
        const SimSetup& s = content_.setups[setup_];
        const int interval = s.readMode == 0 && s.reportInterval > 0 ? s.reportInterval : random_.integer(20, 240);
        clock_.time += interval;
        clock_.temperature = std::clamp(clock_.temperature + static_cast<float>(random_.noise(0.08)) + 0.02f, 29.5f, 36.0f);
        return &content_.datalog.back();
    }

    void setRun(int run) { run_ = run; }
    int run() const { return run_; }
    int sequence() const { return sequence_; }
    void setTime(int32_t t) { clock_.time = t; }

private:
    SimContent& content_;
    const GenerationParameters& p_;
    SimRandom& random_;
    Timeline clock_;
    int setup_ = 0;
    int view_ = 0;
    QByteArray product_;
    int run_ = 0;
    int sequence_ = 0;
};

constexpr int32_t kDay = 86400;

void makeDatalog(SimContent& content, const GenerationParameters& p, SimRandom& random)
{
    DatalogBuilder log(content, p, random);
    const int32_t today = p.now - ((p.now % kDay) + kDay) % kDay;  // midnight of the clock's day
    const int32_t firstDay = today - 30 * kDay;
    log.setRun(random.integer(40, 400));
    log.setTime(firstDay);

    // Run 1: delimiters and Latin-1 letters in the texts.
    log.startRun(0, 0, "RED ENAMEL, GLOSS; LINE 2", firstDay + 7 * 3600 + 42 * 60 + 10);
    log.add("LOT 4711;DRUM 3", false, nullptr);
    log.add("ROLL\t7", false, nullptr);
    log.add("CAF\xC9 N\xBA 5", false, nullptr);
    log.add("BATCH 88,A", false, nullptr);

    // Run 2: the night shift starts at exactly midnight.
    log.startRun(1, 0, content.setups[1].name, firstDay + kDay);
    for (int i = 0; i < 3; ++i) log.add(sampleIdFor(random), false, nullptr);

    // Run 3: readings written by newer firmware, with codes the datalog
    // vocabulary does not name (and a negative one).
    log.startRun(2, 0, content.setups[2].name, firstDay + kDay + 6 * 3600 + 15 * 60);
    if (SimDatalogRecord* r = log.add("PANEL 12C", false, nullptr)) {
        r->standardType = 5;
        r->viewType = 8;
        r->illObs = 18;
        r->scale = 7;
        r->index = 15;
        Measurement::Evaluate(*r, content.setups[2], *content.setups[2].view(0));
    }
    if (SimDatalogRecord* r = log.add("PANEL 12D", false, nullptr)) {
        r->viewType = -1;
        r->illObs = 21;
        r->index = 30;
        Measurement::Evaluate(*r, content.setups[2], *content.setups[2].view(0));
    }

    // Run 4: a dye strength series against a pale tint, up to well over 1000 %.
    log.startRun(5, 0, content.setups[5].name, firstDay + kDay + 13 * 3600 + 20 * 60);
    const double depths[] = {0.55, 0.80, 0.93, 0.97};
    for (int k = 0; k < 4; ++k) {
        Spectrum dyed{};
        for (int i = 0; i < Colorimetry::SpectrumPoints; ++i)
            dyed[i] = static_cast<float>(std::round((88.0 - depths[k] * 85.0 * bump(Colorimetry::Wavelength(i), 610, 45)) * 1000) / 1000);
        log.add("DYE LOT " + QByteArray::number(k + 1), false, &dyed);
    }

    // Further runs, spread over the following days up to yesterday.
    std::vector<int> filled;
    for (int slot = 0; slot < SetupCount; ++slot)
        if (!content.setups[slot].isEmpty()) filled.push_back(slot);
    const int remaining = std::max(0, p.datalogSize - static_cast<int>(content.datalog.size()));
    const int expectedRuns = std::max(1, remaining / 14);
    for (int k = 0; !log.full(); ++k) {
        const int day = 2 + std::min(27, k * 28 / expectedRuns);
        const int32_t start = firstDay + day * kDay + random.integer(6 * 3600, 20 * 3600);
        const int slot = filled[random.integer(0, static_cast<int>(filled.size()) - 1)];
        const SimSetup& s = content.setups[slot];
        int view = 0;
        if (random.chance(0.25)) {
            const SimView& candidate = s.views[random.integer(1, 7)];
            if (candidate.enabled) view = candidate.index;
        }
        log.startRun(slot, view, s.name, start);
        const int samples = random.integer(3, 25);
        for (int i = 0; i < samples && !log.full(); ++i) log.add(sampleIdFor(random), false, nullptr);
    }

    content.lastRun = log.run();
    content.lastSequence = std::max(0, log.sequence() - 1);
}

}  // namespace

SimContent GenerateContent(const GenerationParameters& p)
{
    SimRandom random(p.seed);
    SimContent content;
    makeSetups(content, p.inches, random);
    if (p.datalogSize > 0) makeDatalog(content, p, random);

    if (content.datalog.empty()) {
        content.standardizedAt = p.now - 3 * 3600 - 12 * 60;
    } else {
        // Standardized on the morning of the last day with readings, before them.
        const SimDatalogRecord& last = content.datalog.back();
        const int32_t lastDay = last.time - ((last.time % kDay) + kDay) % kDay;
        int32_t firstOfDay = last.time;
        for (const SimDatalogRecord& r : content.datalog)
            if (r.time >= lastDay) firstOfDay = std::min(firstOfDay, r.time);
        content.standardizedAt = std::min(lastDay + 6 * 3600 + 31 * 60 + 40, firstOfDay - 17 * 60 - 23);
        content.setupInUse = last.setup;
    }
    int since = 0;
    for (const SimDatalogRecord& r : content.datalog)
        if (r.time >= content.standardizedAt) ++since;
    content.measurementsSinceStandardization = since + random.integer(0, 5);
    content.lampHours = 1873 + random.integer(0, 499);
    content.totalMeasurements = 31874 + random.integer(0, 20000) + static_cast<int32_t>(content.datalog.size());
    return content;
}
