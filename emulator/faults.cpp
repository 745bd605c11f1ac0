#include "faults.h"

#include <charconv>
#include <cstdlib>
#include <sstream>

namespace mlemu {

namespace {

struct KindName {
    FaultKind kind;
    const char* name;
};
constexpr KindName kKinds[] = {{FaultKind::Drop, "drop"}, {FaultKind::Nak, "nak"},
                               {FaultKind::Crc, "crc"},   {FaultKind::Garbage, "garbage"},
                               {FaultKind::Late, "late"}, {FaultKind::Silent, "silent"},
                               {FaultKind::Miss, "miss"}};

bool parseNumber(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

template <typename Int> bool parseInt(const std::string& text, Int& out) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size();
}

} // namespace

const char* faultName(FaultKind kind) {
    for (const KindName& k : kKinds)
        if (k.kind == kind)
            return k.name;
    return "?";
}

std::string FaultSpec::text() const {
    std::ostringstream out;
    out << faultName(kind);
    if (unit)
        out << ",unit=" << unit;
    if (!operation.empty())
        out << ",op=" << operation;
    if (at)
        out << ",at=" << at;
    if (probability >= 0)
        out << ",p=" << probability;
    if (kind == FaultKind::Late)
        out << ",delay=" << delay;
    return out.str();
}

std::optional<FaultSpec> parseFault(const std::string& text, std::string& error) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    if (parts.empty()) {
        error = "empty fault";
        return std::nullopt;
    }
    FaultSpec spec;
    bool known = false;
    for (const KindName& k : kKinds)
        if (parts[0] == k.name) {
            spec.kind = k.kind;
            known = true;
        }
    if (!known) {
        error = "unknown fault kind '" + parts[0] + "' (drop, nak, crc, garbage, late, silent, miss)";
        return std::nullopt;
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        const auto eq = part.find('=');
        const std::string key = part.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : part.substr(eq + 1);
        bool ok = false;
        if (key == "unit")
            ok = parseInt(value, spec.unit) && spec.unit >= 1 && spec.unit <= 255;
        else if (key == "op")
            ok = !(spec.operation = value).empty();
        else if (key == "at")
            ok = parseInt(value, spec.at) && spec.at >= 1;
        else if (key == "p")
            ok = parseNumber(value, spec.probability) && spec.probability >= 0 && spec.probability <= 1;
        else if (key == "delay")
            ok = parseNumber(value, spec.delay) && spec.delay >= 0 && spec.delay <= 3600;
        if (!ok) {
            error = "bad fault setting '" + part + "' in '" + text + "'";
            return std::nullopt;
        }
    }
    if (spec.at && spec.probability >= 0) {
        error = "a fault takes at=N or p=P, not both: '" + text + "'";
        return std::nullopt;
    }
    return spec;
}

FaultInjector::FaultInjector(std::vector<FaultSpec> faults, std::uint64_t seed)
    : faults_(std::move(faults)), random_(seed), answers_(faults_.size(), 0) {}

bool FaultInjector::hits(const FaultSpec& fault, std::uint64_t count, std::mt19937_64& random) {
    if (fault.at)
        return count == fault.at;
    if (fault.probability >= 0)
        return std::uniform_real_distribution<double>(0.0, 1.0)(random) < fault.probability;
    return true;
}

std::optional<FaultSpec> FaultInjector::decide(int answerer, const std::string& operation) {
    if (chainSilent_ || silentUnits_.count(answerer)) {
        FaultSpec silent;
        silent.kind = FaultKind::Silent;
        return silent;
    }
    std::optional<FaultSpec> chosen;
    for (std::size_t i = 0; i < faults_.size(); ++i) {
        const FaultSpec& fault = faults_[i];
        if (fault.kind == FaultKind::Miss || (fault.unit && fault.unit != answerer) ||
            (!fault.operation.empty() && fault.operation != operation))
            continue;
        // Every fault counts the answers it watches, also once another has decided.
        const std::uint64_t count = ++answers_[i];
        if (chosen || !hits(fault, count, random_))
            continue;
        if (fault.kind == FaultKind::Silent) {
            if (fault.unit)
                silentUnits_.insert(fault.unit);
            else
                chainSilent_ = true;
        }
        chosen = fault;
    }
    return chosen;
}

bool FaultInjector::misses(int unit, const std::string& operation) {
    bool missed = false;
    for (std::size_t i = 0; i < faults_.size(); ++i) {
        const FaultSpec& fault = faults_[i];
        if (fault.kind != FaultKind::Miss || (fault.unit && fault.unit != unit) ||
            (!fault.operation.empty() && fault.operation != operation))
            continue;
        const std::uint64_t count = ++heard_[{i, unit}];
        if (!missed && hits(fault, count, random_))
            missed = true;
    }
    return missed;
}

} // namespace mlemu
