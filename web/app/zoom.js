// The lesson's two figures, enlarged and moved; loaded with the lesson's script.
// Enlarging and moving a figure: the program's view keeps how far (ViewZoom, as on the
// desktop); the page turns gestures into canvas units. Ctrl+wheel (a touchpad's pinch too)
// about the pointer, +/− and Ctrl+Plus/Minus while the figure has the focus, two fingers,
// dragging, Shift+arrows; Ctrl+0 or 0 goes back. A plain wheel scrolls the dialog.
'use strict';

(() => {
  const app = self.tamirelApp, parts = app.lessonParts;
  const WHEEL_NOTCH = 100;   // deltaY of one wheel notch, one step of the view
  const { canvasPoint, unitsPerPixel } = parts;
  const changed = (figure, result) => { if (result) parts.paintFigure(figure); };

  for (const figure of parts.figures) {
    const { canvas, view } = figure;
    canvas.addEventListener('wheel', (e) => {
      if (!e.ctrlKey || !figure.scene()) return;
      e.preventDefault();   // the browser's own zoom stays for the rest of the page
      const delta = e.deltaMode === WheelEvent.DOM_DELTA_LINE ? e.deltaY * 33 : e.deltaY;
      changed(figure, app.lessonProgram._tamirel_view_zoom(view, app.lessonProgram._tamirel_view_step_factor() ** (-delta / WHEEL_NOTCH), ...canvasPoint(figure, e.clientX, e.clientY)));
    }, { passive: false });
    canvas.addEventListener('keydown', (e) => {
      if (e.altKey || !figure.scene()) return;
      const pan = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] }[e.key];
      let result;
      if (pan && e.shiftKey && !e.ctrlKey && !e.metaKey) {
        const by = app.lessonProgram._tamirel_view_reach(view) / 5;
        result = app.lessonProgram._tamirel_view_pan(view, pan[0] * by, pan[1] * by);
      } else if (['+', '=', 'Add'].includes(e.key) || e.code === 'NumpadAdd') {
        result = app.lessonProgram._tamirel_view_step(view, 1);
      } else if (['-', '−', 'Subtract'].includes(e.key) || e.code === 'NumpadSubtract') {
        result = app.lessonProgram._tamirel_view_step(view, -1);
      } else if (e.key === '0' || e.code === 'Numpad0') {
        result = app.lessonProgram._tamirel_view_reset(view);
      } else {
        return;
      }
      e.preventDefault();   // Ctrl+Plus here enlarges the figure, not the page
      e.stopPropagation();
      changed(figure, result);
    });
    // Pointers down on the figure, by id: where each was last, in client pixels.
    const down = new Map();
    canvas.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 || !figure.scene()) return;
      canvas.setPointerCapture(e.pointerId);
      down.set(e.pointerId, [e.clientX, e.clientY]);
    });
    canvas.addEventListener('pointermove', (e) => {
      const last = down.get(e.pointerId);
      if (!last) return;
      const others = [...down].filter(([id]) => id !== e.pointerId).map(([, at]) => at);
      down.set(e.pointerId, [e.clientX, e.clientY]);
      let result = 0;
      if (others.length === 1) {   // two fingers: enlarge about their middle, and follow it
        const [o] = others, span = (a) => Math.hypot(a[0] - o[0], a[1] - o[1]);
        const before = [(last[0] + o[0]) / 2, (last[1] + o[1]) / 2], after = [(e.clientX + o[0]) / 2, (e.clientY + o[1]) / 2];
        const k = unitsPerPixel(figure);
        result |= app.lessonProgram._tamirel_view_pan(view, (before[0] - after[0]) * k, (before[1] - after[1]) * k);
        if (span(last) > 0) result |= app.lessonProgram._tamirel_view_zoom(view, span([e.clientX, e.clientY]) / span(last), ...canvasPoint(figure, ...after));
      } else if (others.length === 0) {
        const k = unitsPerPixel(figure);
        result = app.lessonProgram._tamirel_view_pan(view, (last[0] - e.clientX) * k, (last[1] - e.clientY) * k);
      }
      changed(figure, result);
    });
    for (const type of ['pointerup', 'pointercancel']) canvas.addEventListener(type, (e) => down.delete(e.pointerId));
  }
})();
