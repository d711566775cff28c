#include "EditorUI/OutputLogBuffer.h"

#include "Core/JsonObject.h"

#include <algorithm>
#include <utility>

namespace
{
	/** A capture only grows; past this many lines the buffer moves on to a fresh one. */
	constexpr std::size_t MaxLinesPerCapture = 2000;
}

FOutputLogBuffer::FOutputLogBuffer(std::size_t InMaxLines)
	: MaxLines(std::max<std::size_t>(InMaxLines, 1))
	, Capture(std::make_unique<FLogCapture>())
{
}

void FOutputLogBuffer::CollectNewLines()
{
	std::vector<FLogLine> Written = Capture->Lines();
	const bool bRotate = Written.size() >= MaxLinesPerCapture;
	if (bRotate)
	{
		// The fresh capture exists before the old one is read for the last time, so a line
		// another thread writes meanwhile reaches at least one of them.
		std::unique_ptr<FLogCapture> Old = std::exchange(Capture, std::make_unique<FLogCapture>());
		Written = Old->Lines();
	}
	for (std::size_t Index = CollectedFromCapture; Index < Written.size(); ++Index)
	{
		Append(std::move(Written[Index]));
	}
	CollectedFromCapture = bRotate ? 0 : Written.size();
}

void FOutputLogBuffer::Append(FLogLine Line)
{
	Lines.push_back(FNumberedLine{++LastSequence, std::move(Line)});
	if (Lines.size() > MaxLines)
	{
		Lines.pop_front();
	}
}

std::shared_ptr<FJsonObject> FOutputLogBuffer::DescribeLinesAfter(uint64_t AfterSequence, std::size_t MaxCount) const
{
	auto Result = std::make_shared<FJsonObject>();
	Result->SetNumberField("first", Lines.empty() ? LastSequence + 1 : Lines.front().Sequence);
	Result->SetNumberField("last", LastSequence);
	FJsonValueArray Described;
	const auto Start = std::find_if(Lines.begin(), Lines.end(), [AfterSequence](const FNumberedLine& Line) { return Line.Sequence > AfterSequence; });
	for (auto Line = Start; Line != Lines.end() && Described.size() < MaxCount; ++Line)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetNumberField("seq", Line->Sequence);
		Entry->SetStringField("category", Line->Line.Category);
		Entry->SetStringField("verbosity", LexToString(Line->Line.Verbosity));
		Entry->SetStringField("message", Line->Line.Message);
		Described.emplace_back(std::move(Entry));
	}
	Result->SetArrayField("lines", std::move(Described));
	return Result;
}
