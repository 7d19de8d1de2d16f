#include "shell/RtfReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string paragraphStyle = " style=\"margin:0;white-space:pre-wrap\">";

// One paragraph of plain 12-point text.
std::string para(const std::string& inner, const std::string& align = "")
{
    return "<p" + align + paragraphStyle + inner + "</p>";
}

std::string run(const std::string& text, const std::string& style = "font-size:12pt")
{
    return "<span style=\"" + style + "\">" + text + "</span>";
}

const std::string emptyPara =
    "<p style=\"-qt-paragraph-type:empty;margin:0;white-space:pre-wrap\"><br></p>";

struct Case {
    const char* name;
    std::string rtf;
    std::string html;
};

class RtfToHtml : public testing::TestWithParam<Case> {};

TEST_P(RtfToHtml, ProducesExpectedHtml)
{
    EXPECT_EQ(shell::rtfToHtml(GetParam().rtf), GetParam().html);
}

const Case formattingCases[] = {
    {"PlainParagraph", R"({\rtf1\ansi Ola mundo\par})", para(run("Ola mundo"))},
    {"TextWithoutFinalPar", R"({\rtf1 abc})", para(run("abc"))},
    {"EmptyDocument", R"({\rtf1})", ""},
    {"BoldOnOff", R"({\rtf1 a\b b\b0 c\par})",
     para(run("a") + run("b", "font-size:12pt;font-weight:bold") + run("c"))},
    {"ItalicAndUnderline", R"({\rtf1\i\ul x\ulnone y\i0 z\par})",
     para(run("x", "font-size:12pt;font-style:italic;text-decoration:underline") +
          run("y", "font-size:12pt;font-style:italic") + run("z"))},
    {"FontSizesInHalfPoints", R"({\rtf1\fs20 a\fs21 b\par})",
     para(run("a", "font-size:10pt") + run("b", "font-size:10.5pt"))},
    {"PlainResetsCharacterFormat", R"({\rtf1\b\i\fs40 a\plain b\par})",
     para(run("a", "font-size:20pt;font-weight:bold;font-style:italic") + run("b"))},
    {"GroupRestoresFormat", R"({\rtf1 a{\b b}c\par})",
     para(run("a") + run("b", "font-size:12pt;font-weight:bold") + run("c"))},
    {"NestedGroups", R"({\rtf1{\b a{\i b}c}d\par})",
     para(run("a", "font-size:12pt;font-weight:bold") +
          run("b", "font-size:12pt;font-weight:bold;font-style:italic") +
          run("c", "font-size:12pt;font-weight:bold") + run("d"))},
    {"TwoParagraphsAndEmptyOne", R"({\rtf1 a\par\par b\par})",
     para(run("a")) + emptyPara + para(run("b"))},
    {"LineBreakAndTab", R"({\rtf1 a\line b\tab c\par})", para(run("a<br>b\tc"))},
    {"BlanksKept", "{\\rtf1 a  b\\par}", para(run("a  b"))},
    {"SourceLineEndsIgnored", "{\\rtf1 a\r\nb\\par\r\n}", para(run("ab"))},
    {"CenteredUntilPard", R"({\rtf1\qc T\par\pard x\par})",
     para(run("T"), " align=\"center\"") + para(run("x"))},
    {"AlignmentOfUnendedParagraph", R"({\rtf1\qr x})", para(run("x"), " align=\"right\"")},
};
INSTANTIATE_TEST_SUITE_P(Formatting, RtfToHtml, testing::ValuesIn(formattingCases),
                         [](const auto& info) { return info.param.name; });

const Case escapeCases[] = {
    {"HtmlSpecialsEscaped", R"({\rtf1 a<b>&"c"\par})", para(run("a&lt;b&gt;&amp;&quot;c&quot;"))},
    {"EscapedBracesAndBackslash", R"({\rtf1 \{x\}\\\par})", para(run("{x}\\"))},
    {"Windows1252Escapes", R"({\rtf1 Pe\'e7a n\'ba \'c1rea \'80\par})",
     para(run("Peça nº Área €"))},
    {"RawHighBytesAreWindows1252", "{\\rtf1 \xe9\\par}", para(run("é"))},
    {"UnicodeWithDefaultFallback", R"({\rtf1 \u8364?x\par})", para(run("€x"))},
    {"UnicodeNegativeValue", R"({\rtf1 \u-3913?\par})", para(run("\xef\x82\xb7"))},
    {"UnicodeFallbackOfTwo", R"({\rtf1\uc2 \u233 ab c\par})", para(run("é c"))},
    {"UnicodeFallbackIsHexEscape", R"({\rtf1 \u227\'e3o\par})", para(run("ão"))},
    {"FallbackEndsAtGroup", R"({\rtf1\uc3 {\u233}x\par})", para(run("éx"))},
    {"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?\par})", para(run("\xf0\x9f\x98\x80"))},
    {"LoneHighSurrogate", R"({\rtf1 \u-10179?x\par})", para(run("\xef\xbf\xbdx"))},
    {"NamedCharacters", R"({\rtf1 \ldblquote a\rdblquote  \emdash  \bullet\par})",
     para(run("“a” — •"))},
    {"NonBreakingSpaceAndHyphens", R"({\rtf1 a\~b\-c\_d\par})",
     para(run("a\xc2\xa0"
              "bc-d"))},
    {"BackslashNewlineIsParagraph", "{\\rtf1 a\\\nb\\par}", para(run("a")) + para(run("b"))},
    {"UnknownWordsIgnored", R"({\rtf1\ansi\ansicpg1252\deff0\f1\cf2\lang1046 x\par})",
     para(run("x"))},
};
INSTANTIATE_TEST_SUITE_P(Escapes, RtfToHtml, testing::ValuesIn(escapeCases),
                         [](const auto& info) { return info.param.name; });

const Case destinationCases[] = {
    {"FontAndColourTables",
     R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1 Courier;}}{\colortbl;\red0\green0\blue0;}x\par})",
     para(run("x"))},
    {"StarredDestination", R"({\rtf1{\*\generator Writer 1.0;}{\*\unknown a{b}c}x\par})",
     para(run("x"))},
    {"PictureSkipped", R"({\rtf1{\pict\pngblip 89504e47}x\par})", para(run("x"))},
    {"BinaryDataSkippedEvenWithBraces", "{\\rtf1{\\pict\\bin4 }}{{}x\\par}", para(run("x"))},
    {"FormatInsideSkippedGroupDoesNotLeak", R"({\rtf1{\*\x\b a}x\par})", para(run("x"))},
    {"TextAfterDocumentIgnored", R"({\rtf1 x\par}garbage)", para(run("x"))},
};
INSTANTIATE_TEST_SUITE_P(Destinations, RtfToHtml, testing::ValuesIn(destinationCases),
                         [](const auto& info) { return info.param.name; });

// Runs in a fixed-pitch font of the table are marked so that their columns line up.
const std::string mono = "font-size:12pt;font-family:monospace";

const Case fontCases[] = {
    {"ModernFamilyIsFixedPitch",
     R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern Courier New;}}a{\f1 b}c\par})",
     para(run("a") + run("b", mono) + run("c"))},
    {"FixedPitchNameInAnyFamily",
     R"({\rtf1{\fonttbl{\f0\fnil Courier;}{\f1\fnil Times;}{\f2\froman DejaVu Sans Mono;}})"
     R"(\f0 a\f1 b\f2 c\par})",
     para(run("a", mono) + run("b") + run("c", mono))},
    {"MonoOnlyAsAWord", R"({\rtf1{\fonttbl{\f0\fscript Monotype Corsiva;}}\f0 a\par})",
     para(run("a"))},
    {"DeclaredPitchDecides",
     R"({\rtf1{\fonttbl{\f0\fmodern\fprq2 Largura;}{\f1\fswiss\fprq1 Fixa;}}\f0 a\f1 b\par})",
     para(run("a") + run("b", mono))},
    {"DefaultFontAndPlain",
     R"({\rtf1\deff1{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern Courier New;}}a\f0 b\plain c\par})",
     para(run("a", mono) + run("b") + run("c", mono))},
    {"TableWithoutGroups", R"({\rtf1{\fonttbl\f0\fswiss Arial;\f1\fmodern Courier;}\f1 x\par})",
     para(run("x", mono))},
    {"EntryEndedByItsGroup", R"({\rtf1{\fonttbl{\f3\fnil Courier New}}\f3 x\par})",
     para(run("x", mono))},
    {"NameWithEscapesAndHiddenParts",
     R"({\rtf1{\fonttbl{\f2\fnil{\*\panose 02070309}Lucida Con\u115?ole;}}\f2 x\par})",
     para(run("x", mono))},
    {"FontMissingFromTable", R"({\rtf1{\fonttbl{\f0\fmodern Courier;}}\f9 x\par})", para(run("x"))},
    {"SizeAndPitchTogether", R"({\rtf1{\fonttbl{\f1\fmodern Courier New;}}{\f1\fs18 1  2}\par})",
     para(run("1  2", "font-size:9pt;font-family:monospace"))},
    {"TableTextNeverShown", R"({\rtf1{\fonttbl{\f0\fmodern Courier;\par}}x\par})", para(run("x"))},
};
INSTANTIATE_TEST_SUITE_P(Fonts, RtfToHtml, testing::ValuesIn(fontCases),
                         [](const auto& info) { return info.param.name; });

const Case malformedCases[] = {
    {"UnclosedGroups", R"({\rtf1 a{\b b)",
     para(run("a") + run("b", "font-size:12pt;font-weight:bold"))},
    {"TrailingBackslash", "{\\rtf1 x\\", para(run("x"))},
    {"TruncatedHexEscape", R"({\rtf1 x\'4)", para(run("x"))},
    {"HexEscapeWithoutDigits", R"({\rtf1 x\'zz\par})", para(run("xzz"))},
    {"HugeFontSizeClamped", R"({\rtf1\fs99999999999999999999 x\par})",
     para(run("x", "font-size:1000pt"))},
    {"HugeUnicodeValue", R"({\rtf1 \u99999999999?x\par})", para(run("\xef\xbf\xbdx"))},
    {"HugeUcIsBounded", R"({\rtf1\uc99999 \u233 abcdefghijklmnopqrstuvwxyz\par})",
     para(run("éqrstuvwxyz"))},
    {"HugeBinCountStopsAtEnd", R"({\rtf1 x\bin99999999999 abc)", para(run("x"))},
    {"ControlCharactersDropped",
     "{\\rtf1 a\x01\x1f"
     "b\\'07\\par}",
     para(run("ab"))},
};
INSTANTIATE_TEST_SUITE_P(Malformed, RtfToHtml, testing::ValuesIn(malformedCases),
                         [](const auto& info) { return info.param.name; });

TEST(RtfReader, DeepNestingIsBoundedAndKeepsShallowText)
{
    const int depth = 100000;
    const std::string rtf =
        "{\\rtf1 a" + std::string(depth, '{') + "deep" + std::string(depth, '}') + "b\\par}";
    EXPECT_EQ(shell::rtfToHtml(rtf), para(run("ab")));
}

// The document group itself is the first level: text at the bound shows, beyond it does not.
TEST(RtfReader, NestingBoundIsExact)
{
    const auto nested = [](int inner) {
        return "{\\rtf1 " + std::string(inner, '{') + "x" + std::string(inner, '}') + "y\\par}";
    };
    EXPECT_EQ(shell::rtfToHtml(nested(shell::maxRtfGroupDepth - 1)), para(run("xy")));
    EXPECT_EQ(shell::rtfToHtml(nested(shell::maxRtfGroupDepth)), para(run("y")));
}

struct Detection {
    std::string bytes;
    bool rtf;
};

class RtfDetection : public testing::TestWithParam<Detection> {};

TEST_P(RtfDetection, RecognisesTheSignature)
{
    EXPECT_EQ(shell::isRtf(GetParam().bytes), GetParam().rtf);
}

INSTANTIATE_TEST_SUITE_P(Signatures, RtfDetection,
                         testing::Values(Detection{"{\\rtf1\\ansi x}", true},
                                         Detection{"{\\rtf", true}, Detection{"", false},
                                         Detection{" {\\rtf1}", false},
                                         Detection{"Texto simples", false}));

} // namespace
