#pragma once

#include "Core/Log.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

class FJsonObject;

/**
 * The output log as the editor's UI page reads it: every line written while the buffer lives,
 * numbered from 1 in the order written, the most recent MaxLines kept. Game thread only (the
 * lines themselves may be written from any thread).
 */
class FOutputLogBuffer
{
public:
	explicit FOutputLogBuffer(std::size_t InMaxLines = 5000);

	/** Takes the lines written since the last call into the buffer. */
	void CollectNewLines();
	/** The number of the last line collected; 0 before the first. */
	uint64_t GetLastSequence() const { return LastSequence; }
	/**
	 * {"first":N,"last":M,"lines":[{"seq","category","verbosity","message"}...]}: the kept lines
	 * numbered above AfterSequence, at most MaxCount of them (the oldest first). "first" is the
	 * oldest line still kept, so a reader sees when lines it never read were dropped.
	 */
	std::shared_ptr<FJsonObject> DescribeLinesAfter(uint64_t AfterSequence, std::size_t MaxCount) const;

private:
	struct FNumberedLine
	{
		uint64_t Sequence = 0;
		FLogLine Line;
	};

	void Append(FLogLine Line);

	const std::size_t MaxLines;
	/** Where the log delivers its lines; replaced by a fresh one once it has held many. */
	std::unique_ptr<FLogCapture> Capture;
	/** How many lines of the current capture are in the buffer already. */
	std::size_t CollectedFromCapture = 0;
	std::deque<FNumberedLine> Lines;
	uint64_t LastSequence = 0;
};
