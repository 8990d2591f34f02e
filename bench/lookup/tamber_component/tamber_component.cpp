// tamber_component.cpp of tamber_component, %%TITLE%%
