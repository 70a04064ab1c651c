// Core tests are added with the structure, report and exchange logic.
