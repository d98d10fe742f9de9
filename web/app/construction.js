// The construction: the lesson's figure built with straightedge and compass, step by step,
// below the lesson in its dialog; loaded with the lesson's script.
// The program's player holds the construction, where the pupil is in it, whether it plays,
// and each command's caption and whether it is enabled; the page draws the step, runs the
// player's timer and sends the commands (the lesson's script sends their keys).
'use strict';

(() => {
  const app = self.tamirelApp, parts = app.lessonParts;
  const constructionPart = document.getElementById('construction');
  const constructionFigure = document.getElementById('construction-figure');
  let timer = null;

  // Shows the player's state (PlayerToJson's) and runs its timer while it plays.
  function show(json) {
    const construction = parts.construction = JSON.parse(json);
    if (construction.playing && !timer) timer = setInterval(() => player('tick'), construction.play);
    if (!construction.playing && timer) {
      clearInterval(timer);
      timer = null;
    }
    constructionPart.hidden = !construction.steps;
    if (!construction.steps) return;
    document.getElementById('construction-caption').textContent = `${construction.title} — ${construction.caption}`;
    document.getElementById('construction-sentence').textContent = construction.sentence;
    constructionFigure.setAttribute('aria-label', `Чертеж на построяването: ${construction.caption}. ${construction.sentence}`);
    // Disabled buttons keep the focus (a disabled one would drop it, and the dialog's keys).
    for (const { id, caption, enabled } of construction.commands) {
      const button = constructionPart.querySelector(`[data-step=${id}]`);
      button.textContent = caption;
      button.setAttribute('aria-disabled', String(!enabled));
    }
    parts.paintFigure(parts.figures[1]);
  }

  // Runs the player's command `name` (follow, home, back, play, forward, end, stop, tick).
  const player = (name) => show(app.lessonProgram.UTF8ToString(app.lessonProgram[`_tamirel_player_${name}`]()));
  parts.refreshConstruction = () => player('follow');

  const step = { what: 2, option: () => parts.construction.step, name: 'tamirel-postroyavane', failure: 'Стъпката не беше копирана' };

  // The handout: the core's pages, one to a printed sheet. Each page's clip paths are named
  // apart from the other pages', as they share the document.
  function fillHandout() {
    const { pages } = JSON.parse(app.lessonProgram.UTF8ToString(app.lessonProgram._tamirel_handout_pages()));
    document.getElementById('handout').replaceChildren(...pages.map((svg, i) => {
      const section = document.createElement('section');
      section.innerHTML = svg.replace(/(id="|url\(#)/g, `$1page${i}-`);
      return section;
    }));
  }

  function printHandout() {
    player('stop');
    fillHandout();
    document.body.classList.add('handout');
    window.print();
  }
  window.addEventListener('afterprint', () => document.body.classList.remove('handout'));

  // The construction's commands by id, the moves' and the files'.
  const commands = parts.stepCommands = { home: () => player('home'), back: () => player('back'), play: () => player('play'),
    forward: () => player('forward'), end: () => player('end'),
    copy: () => app.copyPicture(step), save: () => app.savePicture(step), print: printHandout };
  for (const button of constructionPart.querySelectorAll('[data-step]')) {
    button.addEventListener('click', () => { if (button.getAttribute('aria-disabled') !== 'true') commands[button.dataset.step](); });
  }

  Object.assign(window.tamirel, { construction: () => parts.construction,
    handout: () => { fillHandout(); document.body.classList.add('handout'); } });
})();
