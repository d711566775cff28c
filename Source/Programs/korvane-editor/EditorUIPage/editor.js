'use strict';

// The editor's UI in a browser. The page follows the editor by long poll (/ui/view answers
// when something changed) and sends every click to the editor (/ui/action), which runs it on
// its game thread; what the page shows is always what the editor painted, never a guess.
(() => {
	const $ = (id) => document.getElementById(id);

	const ASSET_COLORS = {
		Blueprint: '#3f8bd0', WidgetBlueprint: '#8e5bd0', EditorUtilityWidgetBlueprint: '#8e5bd0', ControlRigBlueprint: '#2fa7c9',
		AnimBlueprint: '#d06b3f', Material: '#4caf50', MaterialInstanceConstant: '#2e7d32', MaterialFunction: '#7cb342',
		Texture2D: '#c0392b', TextureCube: '#a93226', StaticMesh: '#00acc1', SkeletalMesh: '#d81b60', Skeleton: '#ad1457',
		AnimSequence: '#43a047', AnimMontage: '#5e35b1', BlendSpace: '#f9a825', World: '#ef6c00', LevelSequence: '#6d4c41',
		SoundWave: '#1e88e5', MetaSoundSource: '#1565c0', NiagaraSystem: '#ff7043', NiagaraEmitter: '#f4511e',
		DataTable: '#757575', PhysicsAsset: '#fdd835',
	};
	const EDITOR_COLORS = {
		BlueprintEditor: '#3f8bd0', MaterialEditor: '#4caf50', WidgetBlueprintEditor: '#8e5bd0', ControlRigEditor: '#2fa7c9',
		GenericAssetEditor: '#9e9e9e',
	};
	const EDITOR_TITLES = {
		BlueprintEditor: 'Blueprint Editor', MaterialEditor: 'Material Editor', WidgetBlueprintEditor: 'Widget Blueprint Editor',
		ControlRigEditor: 'Control Rig Editor', GenericAssetEditor: 'Asset Editor',
	};
	const MAX_LOG_LINES = 5000;

	const page = {
		instance: '',
		revision: 0,
		state: null,
		rendered: {},
		selectedFolder: '/Game',
		expandedFolders: new Set(['/Game']),
		selectedAsset: '',
		logLast: 0,
		logFetching: false,
		logCategories: new Set(),
		consoleHistory: [],
		consoleHistoryIndex: -1,
		messageTimer: 0,
		windowMenuEntries: [],
		seenUrls: new Set(),
		urlsKnown: false,
	};

	function iconUrl(styleSet, brush) {
		return `ui/icon?styleSet=${encodeURIComponent(styleSet || '')}&brush=${encodeURIComponent(brush || '')}`;
	}

	function element(tag, className, text) {
		const created = document.createElement(tag);
		if (className) {
			created.className = className;
		}
		if (text !== undefined) {
			created.textContent = text;
		}
		return created;
	}

	/** Renders a part of the page only when its data changed, so hover, focus and scroll stay put. */
	function renderIfChanged(key, data, draw) {
		const text = JSON.stringify(data ?? null);
		if (page.rendered[key] === text) {
			return;
		}
		page.rendered[key] = text;
		draw(data);
	}

	function showMessage(text) {
		let box = document.querySelector('.page-message');
		if (!box) {
			box = element('div', 'page-message');
			box.setAttribute('role', 'alert');
			document.body.append(box);
		}
		box.textContent = text;
		clearTimeout(page.messageTimer);
		page.messageTimer = setTimeout(() => box.remove(), 5000);
	}

	/**
	 * Sends one action. Never repeated on failure: a click that may have reached the editor
	 * must not run twice.
	 */
	async function action(body) {
		let result;
		try {
			const response = await fetch('ui/action', {
				method: 'POST',
				headers: { 'Content-Type': 'application/json' },
				body: JSON.stringify(body),
			});
			result = await response.json();
		} catch (error) {
			result = { success: false, error: 'The editor did not answer; the action may not have run.' };
		}
		if (!result.success && body.action !== 'console') {
			showMessage(result.error || 'The editor refused that.');
		}
		return result;
	}

	// ---------------------------------------------------------------- entries and toolbars

	function entryIcon(icon) {
		if (!icon) {
			return null;
		}
		if (!icon.found) {
			const missing = element('span', 'entry-icon missing');
			missing.title = `Missing icon ${icon.styleSet || ''} ${icon.brush || ''}`.trim();
			return missing;
		}
		const image = element('img', 'entry-icon');
		image.src = iconUrl(icon.styleSet, icon.brush);
		image.alt = '';
		// The application style's own icons have no image file; they are drawn as a plain glyph.
		image.addEventListener('error', () => {
			const glyph = element('span', 'entry-icon glyph');
			glyph.dataset.brush = icon.brush || '';
			image.replaceWith(glyph);
		}, { once: true });
		return image;
	}

	function entryContent(target, entry) {
		const icon = entryIcon(entry.icon);
		if (icon) {
			target.append(icon);
		}
		target.append(element('span', 'entry-label', entry.label || entry.name || ''));
	}

	function renderEntry(entry, editorId) {
		const location = editorId ? { editor: editorId } : {};
		if (entry.kind === 'separator') {
			return element('span', 'toolbar-separator');
		}
		const disabled = entry.enabled === false;
		if (entry.kind === 'comboButton') {
			const combo = element('span', 'combo');
			combo.dataset.entryId = entry.id;
			combo.dataset.entryName = entry.name || '';
			if (entry.simpleComboBox) {
				const whole = element('button', 'combo-main');
				whole.type = 'button';
				entryContent(whole, entry);
				whole.title = entry.tooltip || '';
				whole.disabled = disabled;
				whole.addEventListener('click', () => action({ action: 'openComboMenu', id: entry.id, ...location }));
				combo.append(whole);
				return combo;
			}
			const main = element('button', 'combo-main');
			main.type = 'button';
			main.title = entry.tooltip || '';
			main.disabled = disabled;
			entryContent(main, entry);
			main.addEventListener('click', () => action({ action: 'clickEntry', id: entry.id, ...location }));
			const arrow = element('button', 'combo-arrow');
			arrow.type = 'button';
			arrow.title = entry.tooltip || '';
			arrow.disabled = disabled;
			arrow.setAttribute('aria-label', `${entry.label || ''} options`);
			arrow.addEventListener('click', () => action({ action: 'openComboMenu', id: entry.id, ...location }));
			combo.append(main, arrow);
			return combo;
		}
		const button = element('button', 'tool-button');
		button.type = 'button';
		button.title = entry.tooltip || '';
		button.dataset.entryId = entry.id;
		button.dataset.entryName = entry.name || '';
		button.disabled = disabled;
		entryContent(button, entry);
		button.addEventListener('click', () => action({ action: 'clickEntry', id: entry.id, ...location }));
		return button;
	}

	function renderToolbar(container, toolbar, editorId) {
		container.replaceChildren();
		const sections = (toolbar && toolbar.sections) || [];
		for (const section of sections) {
			const group = element('div', 'toolbar-section');
			group.dataset.section = section.name || '';
			for (const entry of section.entries || []) {
				group.append(renderEntry(entry, editorId));
			}
			container.append(group);
		}
		if (!sections.length) {
			container.append(element('span', 'toolbar-empty', 'No toolbar entries'));
		}
	}

	// ---------------------------------------------------------------- drop-down menu

	function renderMenu(menu) {
		const layer = $('menu-layer');
		layer.replaceChildren();
		document.querySelectorAll('.combo.open').forEach((combo) => combo.classList.remove('open'));
		if (!menu) {
			return;
		}
		const box = element('div', 'menu');
		box.setAttribute('role', 'menu');
		box.dataset.menuId = menu.id || '';
		for (const entry of menu.entries || []) {
			if (entry.section) {
				box.append(element('div', 'menu-section', entry.section));
			}
			if (entry.kind === 'separator') {
				box.append(element('div', 'menu-separator'));
				continue;
			}
			const item = element('button', 'menu-entry');
			item.type = 'button';
			item.disabled = entry.enabled === false;
			item.setAttribute('role', 'menuitem');
			item.title = entry.tooltip || '';
			item.dataset.entryId = entry.id;
			entryContent(item, entry);
			item.addEventListener('click', (event) => {
				event.stopPropagation();
				action({ action: 'clickMenuEntry', id: entry.id });
			});
			box.append(item);
		}
		layer.append(box);
		const owner = document.querySelector(`.major-page:not([hidden]) .combo[data-entry-id="${CSS.escape(menu.owner || '')}"]`);
		if (owner) {
			owner.classList.add('open');
			const place = owner.getBoundingClientRect();
			box.style.left = `${Math.max(4, Math.min(place.left, window.innerWidth - box.offsetWidth - 4))}px`;
			box.style.top = `${place.bottom + 2}px`;
		} else {
			box.style.left = '40%';
			box.style.top = '80px';
		}
	}

	document.addEventListener('click', (event) => {
		const menuOpen = page.state && page.state.editor && page.state.editor.openMenu;
		if (menuOpen && !event.target.closest('.menu') && !event.target.closest('.combo')) {
			action({ action: 'dismissMenu' });
		}
	});
	document.addEventListener('keydown', (event) => {
		if (event.key === 'Escape' && page.state && page.state.editor && page.state.editor.openMenu) {
			action({ action: 'dismissMenu' });
		}
	});

	// ---------------------------------------------------------------- major tabs and pages

	function foregroundEditor(editor) {
		return (editor.assetEditors || []).find((entry) => entry.foreground) || null;
	}

	function renderMajorTabs(data) {
		const strip = $('major-tabs');
		strip.replaceChildren();
		const level = data.levelEditor;
		const front = data.front;
		if (level) {
			const tab = element('button', `major-tab${front ? '' : ' active'}`);
			tab.type = 'button';
			tab.setAttribute('role', 'tab');
			tab.dataset.tabId = level.tabId;
			tab.dataset.id = level.id;
			const kind = element('span', 'tab-kind');
			kind.style.background = '#ef6c00';
			tab.append(kind, element('span', 'tab-label', data.projectName || level.label || 'Level Editor'));
			tab.title = 'Level Editor';
			tab.addEventListener('click', () => action({ action: 'focusTab', id: level.id }));
			strip.append(tab);
		}
		for (const editor of data.assetEditors || []) {
			const tab = element('button', `major-tab${editor.foreground ? ' active' : ''}`);
			tab.type = 'button';
			tab.setAttribute('role', 'tab');
			tab.dataset.editorId = editor.id;
			tab.title = `${EDITOR_TITLES[editor.editorName] || editor.editorName}: ${editor.assetPath}`;
			const kind = element('span', 'tab-kind');
			kind.style.background = EDITOR_COLORS[editor.editorName] || '#9e9e9e';
			const close = element('span', 'tab-close', '×');
			close.setAttribute('role', 'button');
			close.setAttribute('aria-label', `Close ${editor.label}`);
			close.addEventListener('click', (event) => {
				event.stopPropagation();
				action({ action: 'closeEditor', id: editor.id });
			});
			tab.append(kind, element('span', 'tab-label', editor.label || editor.assetName), close);
			tab.addEventListener('click', () => action({ action: 'focusEditor', id: editor.id }));
			strip.append(tab);
		}
	}

	function renderAssetEditor(editor) {
		$('level-editor').hidden = !!editor;
		$('asset-editor').hidden = !editor;
		if (!editor) {
			return;
		}
		$('asset-editor').dataset.editorId = editor.id;
		$('asset-editor').dataset.editorName = editor.editorName;
		renderToolbar($('asset-toolbar'), editor.toolbar, editor.id);
		const graph = $('asset-graph');
		graph.replaceChildren(
			element('div', 'graph-kind', (EDITOR_TITLES[editor.editorName] || editor.editorName).toUpperCase()),
			element('div', 'graph-name', editor.assetName));
		const details = $('asset-details');
		details.replaceChildren();
		for (const [name, value] of [['Asset', editor.assetName], ['Path', editor.assetPath], ['Editor', editor.editorName]]) {
			details.append(element('dt', '', name), element('dd', '', value || ''));
		}
	}

	// ---------------------------------------------------------------- dock tabs

	function renderDock(tabs) {
		const dock = $('dock');
		const strip = $('dock-tabs');
		const content = $('dock-content');
		dock.hidden = !tabs.length;
		strip.replaceChildren();
		content.replaceChildren();
		const front = tabs.find((tab) => tab.foreground) || tabs[tabs.length - 1];
		for (const tab of tabs) {
			const button = element('button', `dock-tab${tab === front ? ' active' : ''}`);
			button.type = 'button';
			button.setAttribute('role', 'tab');
			button.dataset.tabId = tab.tabId || '';
			button.append(element('span', 'tab-label', tab.label || tab.tabId));
			const close = element('span', 'tab-close', '×');
			close.setAttribute('role', 'button');
			close.setAttribute('aria-label', `Close ${tab.label}`);
			close.addEventListener('click', (event) => {
				event.stopPropagation();
				action({ action: 'closeTab', id: tab.id });
			});
			button.append(close);
			button.addEventListener('click', () => action({ action: 'focusTab', id: tab.id }));
			strip.append(button);
		}
		if (front && front.content) {
			const panel = SlateWidgets.render(front.content, { action, iconUrl });
			panel.classList.add('dock-panel');
			panel.dataset.tabId = front.tabId || '';
			content.append(panel);
		}
	}

	// ---------------------------------------------------------------- the Window menu and opened pages

	/** The Window menu lists the tabs a person may open; hidden spawners (such as the Korvane panel's) are not in it. */
	function renderWindowMenu(spawners) {
		const listed = spawners.filter((spawner) => spawner.menuType === 'Enabled');
		$('window-menu').hidden = !listed.length;
		page.windowMenuEntries = listed;
	}

	$('window-menu-button').addEventListener('click', (event) => {
		event.stopPropagation();
		const holder = $('window-menu');
		const open = holder.querySelector('.menu');
		if (open) {
			open.remove();
			holder.classList.remove('open');
			return;
		}
		const box = element('div', 'menu');
		box.setAttribute('role', 'menu');
		for (const spawner of page.windowMenuEntries || []) {
			const item = element('button', 'menu-entry', spawner.displayName || spawner.tabId);
			item.type = 'button';
			item.addEventListener('click', () => {
				box.remove();
				holder.classList.remove('open');
				action({ action: 'invokeTab', tabId: spawner.tabId });
			});
			box.append(item);
		}
		const place = holder.getBoundingClientRect();
		box.style.left = `${place.left}px`;
		box.style.top = `${place.bottom + 2}px`;
		holder.classList.add('open');
		holder.append(box);
	});
	document.addEventListener('click', () => {
		$('window-menu').querySelector('.menu')?.remove();
		$('window-menu').classList.remove('open');
	});

	/**
	 * A page the editor opened (a hyperlink's target) is offered as a link: the browser opens a new
	 * page only on the person's own click. Pages opened before this page loaded are not offered.
	 */
	function noteLaunchedUrls(launched) {
		const fresh = launched.filter((entry) => !page.seenUrls.has(entry.id));
		for (const entry of fresh) {
			page.seenUrls.add(entry.id);
		}
		if (!page.urlsKnown) {
			page.urlsKnown = true;
			return;
		}
		const safe = fresh.filter((entry) => /^https?:\/\//i.test(entry.url));
		if (!safe.length) {
			return;
		}
		const last = safe[safe.length - 1];
		const link = element('a', '', last.url);
		link.href = last.url;
		link.target = '_blank';
		link.rel = 'noopener noreferrer';
		showMessage('The editor opened ');
		document.querySelector('.page-message').append(link);
	}

	// ---------------------------------------------------------------- toasts

	function renderToasts(toasts) {
		const stack = $('toasts');
		const shown = new Map([...stack.children].map((child) => [child.dataset.toastId, child]));
		const current = new Set(toasts.map((toast) => toast.id));
		for (const [id, child] of shown) {
			if (!current.has(id) && !child.classList.contains('leaving')) {
				child.classList.add('leaving');
				setTimeout(() => child.remove(), 500);
			}
		}
		for (const toast of toasts) {
			if (shown.has(toast.id)) {
				continue;
			}
			const box = element('div', `toast${toast.largeFont ? ' large' : ''}`, toast.text);
			box.dataset.toastId = toast.id;
			box.setAttribute('role', 'status');
			stack.append(box);
		}
	}

	// ---------------------------------------------------------------- content browser

	function folderName(path) {
		return path === '/Game' ? 'Content' : path.slice(path.lastIndexOf('/') + 1);
	}

	function parentFolder(path) {
		return path.slice(0, path.lastIndexOf('/')) || '/';
	}

	function renderFolderTree(browser) {
		const children = new Map();
		for (const folder of browser.folders || []) {
			const parent = parentFolder(folder.path);
			if (!children.has(parent)) {
				children.set(parent, []);
			}
			children.get(parent).push(folder.path);
		}
		const tree = $('cb-folders');
		tree.replaceChildren();
		const add = (path, depth, list) => {
			const item = element('li');
			item.setAttribute('role', 'treeitem');
			const row = element('div', `cb-folder${path === page.selectedFolder ? ' selected' : ''}`);
			row.dataset.path = path;
			row.style.paddingLeft = `${6 + depth * 14}px`;
			const below = children.get(path) || [];
			const expanded = page.expandedFolders.has(path);
			const twist = element('span', 'twist', below.length ? (expanded ? '▾' : '▸') : '');
			twist.addEventListener('click', (event) => {
				event.stopPropagation();
				if (expanded) {
					page.expandedFolders.delete(path);
				} else {
					page.expandedFolders.add(path);
				}
				renderContentBrowser(page.state.contentBrowser);
			});
			row.append(twist, element('span', 'folder-glyph'), element('span', 'folder-name', folderName(path)));
			row.addEventListener('click', () => selectFolder(path));
			item.append(row);
			if (below.length && expanded) {
				const sub = element('ul');
				sub.setAttribute('role', 'group');
				for (const child of below) {
					add(child, depth + 1, sub);
				}
				item.append(sub);
			}
			list.append(item);
		};
		add(browser.root || '/Game', 0, tree);
	}

	function selectFolder(path) {
		page.selectedFolder = path;
		for (let folder = path; folder.startsWith('/Game'); folder = parentFolder(folder)) {
			page.expandedFolders.add(folder);
		}
		renderContentBrowser(page.state.contentBrowser);
	}

	function assetTile(asset) {
		const tile = element('div', `cb-tile${asset.path === page.selectedAsset ? ' selected' : ''}`);
		tile.dataset.assetPath = asset.path;
		tile.dataset.assetName = asset.name;
		tile.title = `${asset.name} (${asset.class})\n${asset.path}\nDouble-click to open`;
		const thumb = element('div', 'thumb');
		const color = ASSET_COLORS[asset.class] || '#607d8b';
		const glyph = element('div', 'glyph', (asset.class || '?').replace(/[^A-Z]/g, '').slice(0, 2) || asset.class.slice(0, 1));
		glyph.style.background = color;
		thumb.append(glyph);
		const bar = element('div', 'class-bar');
		bar.style.background = color;
		tile.append(thumb, bar, element('div', 'tile-name', asset.name), element('div', 'tile-class', asset.class));
		tile.addEventListener('click', () => {
			page.selectedAsset = asset.path;
			document.querySelectorAll('.cb-tile.selected').forEach((other) => other.classList.remove('selected'));
			tile.classList.add('selected');
		});
		tile.addEventListener('dblclick', () => action({ action: 'openAsset', path: asset.path }));
		return tile;
	}

	function folderTile(path) {
		const tile = element('div', 'cb-tile folder');
		tile.dataset.folderPath = path;
		tile.title = `${path}\nDouble-click to open the folder`;
		const thumb = element('div', 'thumb');
		thumb.append(element('div', 'glyph'));
		tile.append(thumb, element('div', 'class-bar'), element('div', 'tile-name', folderName(path)), element('div', 'tile-class', 'Folder'));
		tile.addEventListener('dblclick', () => selectFolder(path));
		return tile;
	}

	function renderContentBrowser(browser) {
		if (!browser) {
			return;
		}
		if (page.selectedFolder !== browser.root && !(browser.folders || []).some((folder) => folder.path === page.selectedFolder)) {
			page.selectedFolder = browser.root || '/Game';
		}
		renderFolderTree(browser);
		const search = $('cb-search').value.trim().toLowerCase();
		const grid = $('cb-assets');
		grid.replaceChildren();
		$('cb-path').textContent = search ? `Search results for "${search}"` : page.selectedFolder.replace(/^\/Game/, 'Content').split('/').join('  ›  ');
		if (search) {
			for (const asset of (browser.assets || []).filter((entry) => entry.name.toLowerCase().includes(search))) {
				grid.append(assetTile(asset));
			}
		} else {
			for (const folder of (browser.folders || []).filter((entry) => parentFolder(entry.path) === page.selectedFolder)) {
				grid.append(folderTile(folder.path));
			}
			for (const asset of (browser.assets || []).filter((entry) => entry.folder === page.selectedFolder)) {
				grid.append(assetTile(asset));
			}
		}
		if (!grid.children.length) {
			grid.append(element('div', 'cb-empty', search ? 'No asset matches.' : 'This folder is empty.'));
		}
	}

	$('cb-search').addEventListener('input', () => renderContentBrowser(page.state && page.state.contentBrowser));

	// ---------------------------------------------------------------- outliner

	function renderOutliner(outliner) {
		const list = $('outliner-actors');
		list.replaceChildren();
		$('viewport-world').textContent = outliner ? outliner.world : 'No level open';
		for (const actor of (outliner && outliner.actors) || []) {
			const row = element('li');
			row.title = `${actor.label} (${actor.class})`;
			row.append(element('span', 'actor-label', actor.label), element('span', 'actor-class', actor.class));
			list.append(row);
		}
	}

	// ---------------------------------------------------------------- output log

	function lineVisible(line) {
		const category = $('log-category').value;
		const search = $('log-search').value.trim().toLowerCase();
		return (!category || line.dataset.category === category) && (!search || line.textContent.toLowerCase().includes(search));
	}

	function addLogCategory(category) {
		if (page.logCategories.has(category)) {
			return;
		}
		page.logCategories.add(category);
		const select = $('log-category');
		const options = [...select.options].slice(1).map((option) => option.value).concat(category).sort();
		const chosen = select.value;
		select.replaceChildren(element('option', '', 'All categories'));
		select.options[0].value = '';
		for (const name of options) {
			const option = element('option', '', name);
			option.value = name;
			select.append(option);
		}
		select.value = chosen;
	}

	function appendLogLines(answer) {
		const view = $('log-lines');
		const atBottom = view.scrollTop + view.clientHeight >= view.scrollHeight - 4;
		if (answer.first > page.logLast + 1 && page.logLast > 0) {
			view.append(element('div', 'log-dropped', `(${answer.first - page.logLast - 1} older lines are no longer kept)`));
		}
		for (const line of answer.lines || []) {
			const row = element('div', `log-line ${line.verbosity}`);
			row.dataset.category = line.category;
			row.dataset.verbosity = line.verbosity;
			const prefix = line.verbosity === 'Log' || line.verbosity === 'Display' ? '' : `${line.verbosity}: `;
			row.append(element('span', 'log-category', `${line.category}: `), document.createTextNode(prefix + line.message));
			row.hidden = !lineVisible(row);
			view.append(row);
			addLogCategory(line.category);
			page.logLast = Math.max(page.logLast, line.seq);
		}
		page.logLast = Math.max(page.logLast, answer.first - 1);
		while (view.children.length > MAX_LOG_LINES) {
			view.firstChild.remove();
		}
		if (atBottom) {
			view.scrollTop = view.scrollHeight;
		}
	}

	async function fetchLog() {
		if (page.logFetching) {
			return;
		}
		page.logFetching = true;
		try {
			while (page.state && page.state.logLast > page.logLast) {
				const answer = await (await fetch(`ui/log?after=${page.logLast}`)).json();
				if (!answer.lines || !answer.lines.length) {
					page.logLast = Math.max(page.logLast, answer.last);
					break;
				}
				appendLogLines(answer);
			}
		} catch (error) {
			// The next view answer tries again.
		} finally {
			page.logFetching = false;
		}
	}

	function refilterLog() {
		for (const line of $('log-lines').children) {
			if (line.classList.contains('log-line')) {
				line.hidden = !lineVisible(line);
			}
		}
	}

	$('log-category').addEventListener('change', refilterLog);
	$('log-search').addEventListener('input', refilterLog);
	$('log-clear').addEventListener('click', () => $('log-lines').replaceChildren());

	// ---------------------------------------------------------------- bottom panel and console

	function showBottom(panelId) {
		for (const tab of document.querySelectorAll('.bottom-tab')) {
			tab.classList.toggle('active', tab.dataset.panel === panelId);
		}
		$('content-browser').hidden = panelId !== 'content-browser';
		$('output-log').hidden = panelId !== 'output-log';
		if (panelId === 'output-log') {
			const view = $('log-lines');
			view.scrollTop = view.scrollHeight;
		}
	}

	for (const tab of document.querySelectorAll('.bottom-tab')) {
		tab.addEventListener('click', () => showBottom(tab.dataset.panel));
	}
	$('drawer-button').addEventListener('click', () => showBottom('content-browser'));
	$('log-button').addEventListener('click', () => showBottom('output-log'));

	$('console-form').addEventListener('submit', async (event) => {
		event.preventDefault();
		const input = $('console-input');
		const command = input.value;
		if (!command.trim()) {
			return;
		}
		page.consoleHistory.push(command);
		page.consoleHistoryIndex = -1;
		input.value = '';
		const result = await action({ action: 'console', command });
		const status = $('console-result');
		status.textContent = result.success ? `Ran: ${command.trim()}` : result.error;
		status.classList.toggle('failed', !result.success);
	});
	$('console-input').addEventListener('keydown', (event) => {
		const history = page.consoleHistory;
		if (!history.length || (event.key !== 'ArrowUp' && event.key !== 'ArrowDown')) {
			return;
		}
		event.preventDefault();
		let index = page.consoleHistoryIndex < 0 ? history.length : page.consoleHistoryIndex;
		index = Math.min(Math.max(index + (event.key === 'ArrowUp' ? -1 : 1), 0), history.length);
		page.consoleHistoryIndex = index === history.length ? -1 : index;
		event.target.value = index === history.length ? '' : history[index];
	});

	// ---------------------------------------------------------------- following the editor

	function render(state) {
		const editor = state.editor || {};
		const front = foregroundEditor(editor);
		document.title = `${state.projectName || 'Editor'} - Korvane Editor`;
		$('project-name').textContent = state.projectName || '';
		renderIfChanged('major-tabs', { levelEditor: editor.levelEditor, assetEditors: editor.assetEditors, projectName: state.projectName, front: front && front.id },
			renderMajorTabs);
		renderIfChanged('level-toolbar', editor.levelEditor && editor.levelEditor.toolbar,
			(toolbar) => renderToolbar($('level-toolbar'), toolbar, null));
		renderIfChanged('asset-editor', front, renderAssetEditor);
		renderIfChanged('dock', (editor.tabs || []).filter((tab) => tab.role !== 'MajorTab'), renderDock);
		renderIfChanged('window-menu', editor.tabSpawners || [], renderWindowMenu);
		noteLaunchedUrls(editor.launchedUrls || []);
		renderIfChanged('menu', { menu: editor.openMenu, front: front && front.id }, (data) => renderMenu(data.menu));
		renderIfChanged('content', state.contentBrowser, renderContentBrowser);
		renderIfChanged('outliner', state.outliner, renderOutliner);
		renderToasts(editor.toasts || []);
		if ((state.logLast || 0) > page.logLast) {
			fetchLog();
		}
	}

	function setConnection(text, lost) {
		const status = $('connection');
		status.textContent = text;
		status.classList.toggle('lost', lost);
	}

	function startAfresh() {
		page.rendered = {};
		page.logLast = 0;
		page.logCategories.clear();
		page.seenUrls.clear();
		page.urlsKnown = false;
		$('log-lines').replaceChildren();
		$('toasts').replaceChildren();
		$('console-result').textContent = '';
	}

	async function follow() {
		let failures = 0;
		for (;;) {
			try {
				const response = await fetch(`ui/view?instance=${encodeURIComponent(page.instance)}&after=${page.revision}`, { cache: 'no-store' });
				if (!response.ok) {
					throw new Error(`HTTP ${response.status}`);
				}
				const answer = await response.json();
				if (answer.instance !== page.instance) {
					if (page.instance) {
						showMessage('The editor was restarted; showing the new session.');
					}
					startAfresh();
					page.instance = answer.instance;
				}
				page.revision = answer.revision;
				page.state = answer.state;
				failures = 0;
				setConnection('Connected', false);
				render(answer.state);
			} catch (error) {
				failures += 1;
				setConnection('Connection to the editor lost — reconnecting…', true);
				await new Promise((resolve) => setTimeout(resolve, Math.min(500 * failures, 3000)));
			}
		}
	}

	follow();
})();
