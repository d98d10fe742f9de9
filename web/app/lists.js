// The window's buttons and lists, as the page carries them: a click or a choice goes to the
// program, at once or, before it is ready, in turn once it is. The lists come with their first
// items chosen (the markup's), as the program then chooses them.
'use strict';

(() => {
  const app = self.tamirelApp;
  for (const button of app.form.querySelectorAll('button')) {
    const index = Number(button.dataset.index);
    button.addEventListener('click', () => app.act(() => app.program._tamirel_click(index)));
  }
  for (const list of app.form.querySelectorAll('select')) {
    const index = Number(list.dataset.index);
    app.lists[index] = list;
    list.addEventListener('change', () => {
      const row = list.selectedIndex;
      // The program's start chooses every list's first row; the user's later choice stands.
      app.act(() => {
        list.selectedIndex = row;
        app.program._tamirel_choose(index, row);
      });
    });
  }
})();
