#pragma once

#include "Http/HttpTypes.h"
#include "Runtime/GameThread.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FJsonObject;

/**
 * Live updates of the editor's UI page by long poll. The page asks for the state newer than
 * the revision it has; the answer comes at once when there is one, otherwise as soon as the
 * state changes, or after MaxWait with the same revision. While a page waits, the state is
 * built again every RefreshPeriod (that is the editor's paint: bound attributes are evaluated
 * then) and compared with the last one as text, so any change shows without the model
 * announcing it; a reader's request builds it only when the last build is older than that.
 * Each run of the program has an instance name of its own: a page left open across a restart
 * sees a new instance and starts afresh. Game thread only.
 */
class FEditorUIViewPoll
{
public:
	using FBuildState = std::function<std::shared_ptr<FJsonObject>()>;

	FEditorUIViewPoll(FGameThread& InGameThread, FBuildState InBuildState, std::chrono::milliseconds InRefreshPeriod, std::chrono::milliseconds InMaxWait);
	~FEditorUIViewPoll();
	FEditorUIViewPoll(const FEditorUIViewPoll&) = delete;
	FEditorUIViewPoll& operator=(const FEditorUIViewPoll&) = delete;

	/**
	 * Answers {"instance","revision","state"} when the state is newer than the reader's revision
	 * (or the reader's instance is another), else once it is, or once MaxWait has passed.
	 */
	void Wait(std::string_view ReaderInstance, uint64_t ReaderRevision, FHttpResultCallback OnComplete);
	/** Builds the state again now and answers the readers that wait for a change. */
	void Refresh();

	const std::string& GetInstance() const { return Instance; }
	uint64_t GetRevision() const { return Revision; }
	std::size_t GetWaitingCount() const { return Waiters.size(); }

private:
	struct FWaiter
	{
		uint64_t ReaderRevision = 0;
		std::chrono::steady_clock::time_point Deadline;
		FHttpResultCallback OnComplete;
	};

	void UpdateState();
	void Answer(const FHttpResultCallback& OnComplete) const;
	void AnswerWaiters(bool bTimedOutToo);
	void OnRefreshTimer();

	FGameThread& GameThread;
	FBuildState BuildState;
	const std::chrono::milliseconds RefreshPeriod;
	const std::chrono::milliseconds MaxWait;
	const std::string Instance;
	uint64_t Revision = 0;
	std::string StateText;
	std::chrono::steady_clock::time_point LastBuilt;
	std::vector<FWaiter> Waiters;
	FTimerHandle RefreshTimer;
};
