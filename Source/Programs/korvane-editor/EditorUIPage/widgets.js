'use strict';

// Draws a dock tab's widget tree (as the editor painted it) with DOM elements: boxes become
// flex boxes, texts keep their colour and font, the check box and hyperlinks send their
// actions back to the editor.
const SlateWidgets = (() => {
	/** Slate's font sizes are points at 96 DPI. */
	const PIXELS_PER_POINT = 96 / 72;

	/** A linear colour channel (0..1) as the 0..255 sRGB value the editor puts on screen. */
	function linearToSrgb(channel) {
		const clamped = Math.min(Math.max(Number(channel) || 0, 0), 1);
		const encoded = clamped <= 0.0031308 ? clamped * 12.92 : 1.055 * Math.pow(clamped, 1 / 2.4) - 0.055;
		return Math.round(encoded * 255);
	}

	function cssColor(color) {
		if (!Array.isArray(color) || color.length < 3) {
			return null;
		}
		const alpha = color.length > 3 ? Math.min(Math.max(Number(color[3]) || 0, 0), 1) : 1;
		return `rgba(${linearToSrgb(color[0])}, ${linearToSrgb(color[1])}, ${linearToSrgb(color[2])}, ${alpha})`;
	}

	function cssPadding(padding) {
		if (!Array.isArray(padding) || padding.length !== 4) {
			return null;
		}
		// Slate gives left, top, right, bottom; CSS wants top, right, bottom, left.
		const [left, top, right, bottom] = padding.map((value) => `${Number(value) || 0}px`);
		return `${top} ${right} ${bottom} ${left}`;
	}

	function applyFont(element, font) {
		if (!font) {
			return;
		}
		if (font.size) {
			element.style.fontSize = `${(Number(font.size) * PIXELS_PER_POINT).toFixed(1)}px`;
		}
		const typeface = String(font.typeface || '');
		if (/bold/i.test(typeface)) {
			element.style.fontWeight = '700';
		} else if (/light/i.test(typeface)) {
			element.style.fontWeight = '300';
		}
		if (/italic/i.test(typeface)) {
			element.style.fontStyle = 'italic';
		}
	}

	const ALIGN = { Left: 'flex-start', Top: 'flex-start', Center: 'center', Right: 'flex-end', Bottom: 'flex-end', Fill: 'stretch' };

	/** One slot of a box: its padding, alignment and size rule around the child. */
	function renderSlot(slot, horizontal, context) {
		const element = document.createElement('div');
		element.className = 's-slot';
		const padding = cssPadding(slot.padding);
		if (padding) {
			element.style.padding = padding;
		}
		const crossAlign = horizontal ? slot.vAlign : slot.hAlign;
		const mainAlign = horizontal ? slot.hAlign : slot.vAlign;
		element.style.alignItems = ALIGN[crossAlign] || 'stretch';
		element.style.justifyContent = ALIGN[mainAlign] === 'stretch' ? 'flex-start' : ALIGN[mainAlign] || 'flex-start';
		element.style.flexDirection = horizontal ? 'column' : 'row';
		if (slot.size && typeof slot.size === 'object' && slot.size.fill !== undefined) {
			element.style.flex = `${Number(slot.size.fill) || 1} 1 0`;
		} else {
			element.style.flex = '0 0 auto';
		}
		if (slot.widget) {
			element.append(render(slot.widget, context));
		}
		return element;
	}

	function renderBox(widget, horizontal, context) {
		const element = document.createElement('div');
		element.className = horizontal ? 's-hbox' : 's-vbox';
		for (const slot of widget.slots || []) {
			element.append(renderSlot(slot, horizontal, context));
		}
		return element;
	}

	function renderText(widget) {
		const element = document.createElement('span');
		element.className = 's-text';
		element.textContent = widget.text ?? '';
		const color = cssColor(widget.color);
		if (color) {
			element.style.color = color;
		}
		applyFont(element, widget.font);
		return element;
	}

	function renderImage(widget, context) {
		const brush = widget.brush || {};
		const size = Array.isArray(brush.size) ? brush.size : [16, 16];
		const color = cssColor(widget.color) || 'rgba(255, 255, 255, 1)';
		let element;
		if (/circle/i.test(String(brush.name || ''))) {
			// The application style's shapes have no image file: drawn by name, tinted.
			element = document.createElement('span');
			element.classList.add('round');
			element.style.background = color;
		} else if (brush.found) {
			element = document.createElement('img');
			element.src = context.iconUrl(brush.styleSet, brush.name);
			element.alt = '';
		} else {
			element = document.createElement('span');
			element.classList.add('missing');
		}
		element.classList.add('s-image');
		element.dataset.brush = brush.name || '';
		element.style.width = `${Number(size[0]) || 16}px`;
		element.style.height = `${Number(size[1]) || 16}px`;
		return element;
	}

	/** An SBox, or a compound widget (a panel of its own class): padding and alignment around one child. */
	function renderSingleChild(widget, context) {
		const element = document.createElement('div');
		element.className = widget.type === 'SBox' ? 's-box' : 's-compound';
		element.style.display = 'flex';
		element.style.flexDirection = 'column';
		const padding = cssPadding(widget.padding);
		if (padding) {
			element.style.padding = padding;
		}
		element.style.alignItems = ALIGN[widget.hAlign] || 'stretch';
		element.style.justifyContent = ALIGN[widget.vAlign] === 'stretch' ? 'flex-start' : ALIGN[widget.vAlign] || 'flex-start';
		if (widget.width !== undefined) {
			element.style.width = `${Number(widget.width)}px`;
		}
		if (widget.height !== undefined) {
			element.style.height = `${Number(widget.height)}px`;
		}
		if (widget.content) {
			const child = render(widget.content, context);
			// A size override replaces the child's own desired size, as in Slate.
			if (widget.width !== undefined && child.style) {
				child.style.width = '100%';
			}
			if (widget.height !== undefined && child.style) {
				child.style.height = '100%';
			}
			element.append(child);
		}
		return element;
	}

	function renderSpacer(widget) {
		const element = document.createElement('div');
		element.className = 's-spacer';
		const size = Array.isArray(widget.size) ? widget.size : [0, 0];
		element.style.width = `${Number(size[0]) || 0}px`;
		element.style.height = `${Number(size[1]) || 0}px`;
		return element;
	}

	function renderCheckBox(widget, context) {
		const element = document.createElement('label');
		element.className = 's-checkbox';
		const input = document.createElement('input');
		input.type = 'checkbox';
		input.checked = widget.checked === true;
		input.indeterminate = widget.undetermined === true;
		input.addEventListener('change', (event) => {
			// The editor decides: the box shows its new state once the editor painted it.
			input.checked = widget.checked === true;
			input.indeterminate = widget.undetermined === true;
			event.preventDefault();
			context.action({ action: 'toggleCheckBox', id: widget.id });
		});
		element.append(input);
		if (widget.content) {
			element.append(render(widget.content, context));
		}
		return element;
	}

	function renderHyperlink(widget, context) {
		const element = document.createElement('a');
		element.className = 's-hyperlink';
		element.href = '#';
		element.textContent = widget.text ?? '';
		element.addEventListener('click', (event) => {
			event.preventDefault();
			context.action({ action: 'clickHyperlink', id: widget.id });
		});
		return element;
	}

	function renderSeparator(widget) {
		const element = document.createElement('div');
		const vertical = widget.orientation === 'Vertical';
		element.className = vertical ? 's-separator vertical' : 's-separator';
		element.setAttribute('role', 'separator');
		const thickness = Number(widget.thickness);
		if (thickness > 0) {
			element.style[vertical ? 'width' : 'height'] = `${thickness}px`;
		}
		return element;
	}

	function renderUnknown(widget) {
		const element = document.createElement('span');
		element.className = 's-unknown';
		element.textContent = `[${widget.type}]`;
		return element;
	}

	/**
	 * The element for one widget. context.action(body) sends an action; context.iconUrl(set, brush)
	 * is the address of a style set's image.
	 */
	function render(widget, context) {
		if (!widget || typeof widget !== 'object') {
			return document.createTextNode('');
		}
		let element;
		switch (widget.type) {
		case 'SVerticalBox': element = renderBox(widget, false, context); break;
		case 'SHorizontalBox': element = renderBox(widget, true, context); break;
		case 'STextBlock': element = renderText(widget); break;
		case 'SImage': element = renderImage(widget, context); break;
		case 'SBox': element = renderSingleChild(widget, context); break;
		case 'SSpacer': element = renderSpacer(widget); break;
		case 'SCheckBox': element = renderCheckBox(widget, context); break;
		case 'SHyperlink': element = renderHyperlink(widget, context); break;
		case 'SSeparator': element = renderSeparator(widget); break;
		default: element = widget.content ? renderSingleChild(widget, context) : renderUnknown(widget);
		}
		element.dataset.widget = widget.type || '';
		if (widget.id) {
			element.dataset.widgetId = widget.id;
		}
		if (widget.tooltip) {
			element.title = widget.tooltip;
		}
		return element;
	}

	return { render, cssColor, linearToSrgb };
})();
