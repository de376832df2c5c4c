#include "cli/jsonwriter.h"
#include "cli/verbs.h"
#include "document/mapcheck.h"

#include <cstdio>
#include <thread>

namespace mapwright {

namespace {

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// PAGE:LINE: severity: message [rule-id, WCAG x.y.z]
std::string FindingLine(const std::string& page, const CFinding& finding)
{
    std::string line = page + ":";
    if (finding.nLine > 0)
        line += std::to_string(finding.nLine) + ":";
    line += " " + std::string(SeverityName(RuleSeverity(finding.rule))) + ": " + FindingMessage(finding) + " [" +
            std::string(RuleId(finding.rule));
    if (!RuleWcag(finding.rule).empty())
        line += ", WCAG " + std::string(RuleWcag(finding.rule));
    return line + "]\n";
}

std::string NumberOrNull(int value) { return value > 0 ? std::to_string(value) : "null"; }

std::string PageJson(const CPageCheck& check)
{
    std::string json = "{\"page\": " + JsonString(check.strPage) + ", \"findings\": [";
    for (std::size_t i = 0; i < check.findings.size(); ++i) {
        const CFinding& finding = check.findings[i];
        const std::string_view wcag = RuleWcag(finding.rule);
        json += std::string(i ? ", " : "") + "{\"rule\": \"" + std::string(RuleId(finding.rule)) + "\", \"severity\": \"" +
                std::string(SeverityName(RuleSeverity(finding.rule))) + "\", \"wcag\": " +
                (wcag.empty() ? "null" : JsonString(wcag)) + ", \"area\": " + NumberOrNull(finding.nArea) +
                ", \"line\": " + NumberOrNull(finding.nLine) + ", \"message\": " + JsonString(FindingMessage(finding)) +
                "}";
    }
    return json + "]}\n";
}

}  // namespace

int RunCheck(const std::vector<std::string>& args)
{
    std::vector<std::string> pages;
    bool json = false;
    ESeverity least = ESeverity::kError;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--min") {
            if (i + 1 == args.size() || (args[i + 1] != "warning" && args[i + 1] != "error"))
                return UsageError("--min takes warning or error");
            least = args[++i] == "warning" ? ESeverity::kWarning : ESeverity::kError;
        } else if (!args[i].starts_with("-")) {
            pages.push_back(args[i]);
        } else {
            return UsageError("unexpected argument " + args[i]);
        }
    }
    if (pages.empty())
        return UsageError("check needs a PAGE");

    const std::vector<CPageCheck> checks = CheckPageFiles(pages, std::thread::hardware_concurrency());
    bool reached = false;
    for (const CPageCheck& check : checks) {
        std::string text;
        for (const CFinding& finding : check.findings) {
            reached = reached || RuleSeverity(finding.rule) >= least;
            if (!json)
                text += FindingLine(check.strPage, finding);
        }
        Print(json ? PageJson(check) : text);
    }
    return reached ? 1 : 0;
}

}  // namespace mapwright
